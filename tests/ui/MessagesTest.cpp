// The message-code tables, the string table and its formatting.
#include <gtest/gtest.h>

#include <string>

#include "ui/ChatDlg.h"
#include "ui/Messages.h"
#include "ui/StringTable.h"

namespace pladdo {
namespace {

struct CodeRow {
  const char* what;
  std::string text;
  std::string expected;
};

TEST(TranslateCodes, ReplacesTheFirstOccurrenceOfEachCodeInTableOrder) {
  const CodeRow rows[] = {
      // Each code alone.
      {"no profile", "#ERROR_NOPROFILE#", "Ingen profil hittades."},
      {"welcome empty", "#ERROR_WELCOMEEMPTY#",
       "Fel i profil! Inga poster under [WELCOME] \xE4r inskrivna."},
      {"cannot open", "#ERROR_CANTOPENFILE#", "Filen kunde inte \xF6ppnas."},
      {"no variable answer", "#ERROR_NOVARIABLEANSWER#",
       "[FEL. Inga svarsalternativ f\xF6r variabel.]"},
      {"loop protection", "[#ERROR_LOOPPROTECTION# %a%]", "[Lop-fel i %a%]"},
      {"variable file", "[#ERROR_VARIABELCANTOPENFILE# ord.txt ]",
       "[Fel vid variablekonvertering, kunde ej \xF6ppna filen: ord.txt ]"},
      {"missing variable", "[namn#ERROR_NOVARIABLE#]",
       "[namn-variabeln finns inte]"},
      // Where codes stand.
      {"no codes, unchanged byte for byte", "  Hej\t d\xE5!  ",
       "  Hej\t d\xE5!  "},
      {"empty text", "", ""},
      {"inside a longer answer, blanks kept", "A  [x#ERROR_NOVARIABLE#]  B",
       "A  [x-variabeln finns inte]  B"},
      {"same code twice: only the first", "#ERROR_NOPROFILE##ERROR_NOPROFILE#",
       "Ingen profil hittades.#ERROR_NOPROFILE#"},
      {"two codes in reverse table order",
       "[a#ERROR_NOVARIABLE#] #ERROR_NOPROFILE#",
       "[a-variabeln finns inte] Ingen profil hittades."},
      {"lower case stays", "#error_noprofile#", "#error_noprofile#"},
      {"unknown code stays", "#ERROR_SOMETHING#", "#ERROR_SOMETHING#"},
      {"checker codes pass through", "#NOERROR# #NAME#", "#NOERROR# #NAME#"},
      {"code cut short stays", "#ERROR_NOPROFILE", "#ERROR_NOPROFILE"},
  };
  for (const CodeRow& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(TranslateCodes(row.text), row.expected);
    EXPECT_EQ(CChatDlg::TranslateCodes(row.text), row.expected);
  }
}

TEST(TranslateCheckerReport, ReplacesEveryOccurrenceOfEachCheckerCode) {
  const CodeRow rows[] = {
      {"file name", "#FILENAME# a.ppf", "Profilnamn: a.ppf"},
      {"name", "#NAME# x", "Namn: x"},
      {"version", "#VERSION# 1", "Version: 1"},
      {"author", "#AUTHOR# x", "F\xF6rfattare: x"},
      {"info", "#INFO# x", "Info: x"},
      {"language", "#LANGUAGE# x (#NOLANGUAGE#)", "Spr\xE5k: x (ogiltigt spr\xE5k)"},
      {"not opened", "#DEBUG_COLDNTOPENFILE#", "Filen kunde inte \xF6ppnas."},
      {"illegal row", "#ILLEGALROW#", "Ogiltig rad."},
      {"no answer", "#NOANSWER#", "Inga svarsalternativ hittades."},
      {"illegal block name", "#ILLEGALBLOCKNAME#", "Felaktigt blocknamn."},
      {"double asterisk", "#DOUBLEASTERISK#",
       "Dubbla asterisker hittades, endast en anv\xE4nds."},
      {"blank before asterisk", "#SPACEANDASTERISK#",
       "Mellanslag f\xF6re asterisk hittades, raden kanske inte fungerar "
       "korrekt."},
      {"odd percent", "#ODDPRECENT#", "Ett udda antal procenttecken hittades"},
      {"no error", "#NOERROR#", "Inga fel hittades."},
      {"errors found", "3 #ERRORFOUND#", "3 fel hittades."},
      {"variable not found", "#NOVARIABLE#", "Variablen hittades inte."},
      {"every occurrence", "#ILLEGALROW#\r\n#ILLEGALROW#\r\n",
       "Ogiltig rad.\r\nOgiltig rad.\r\n"},
      {"adjacent occurrences", "#NOANSWER##NOANSWER#",
       "Inga svarsalternativ hittades.Inga svarsalternativ hittades."},
      {"line ends untouched", "a\nb\r\n", "a\nb\r\n"},
      {"engine codes pass through", "#ERROR_NOPROFILE#", "#ERROR_NOPROFILE#"},
  };
  for (const CodeRow& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(TranslateCheckerReport(row.text), row.expected);
  }
}

TEST(StringTable, HoldsTheWindowsTextsInWindows1252) {
  const struct {
    int id;
    std::string text;
  } rows[] = {
      {57344, "Pladdo"},
      {60002, "readme.txt"},
      {60100, "Det gick inte att \xF6ppna ReadMe-filen."},
      {60101, "s&varar:"},
      {60102, "Du s&varar:"},
      {60200, "Textdokument|*.txt|Alla filer (*.*)|*.*||"},
      {60201, "txt"},
      {60300, "Pladdo-profil (*.ppf)|*.ppf|Alla filer (*.*)|*.*||"},
      {62016, "Filen kunde inte \xF6ppnas."},
      {63002, "Filen kunde inte \xF6ppnas."},
      {12345, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.id);
    EXPECT_EQ(LoadString(row.id), row.text);
  }
}

TEST(StringTable, FormatFillsInBothArgumentsWhereverTheyStand) {
  EXPECT_EQ(FormatString(IDS_SAVE_FAILED, "/a/\xE5.txt", "Permission denied"),
            "Samtalet kunde inte sparas i \"/a/\xE5.txt\": Permission denied.");
  EXPECT_EQ(FormatString(IDS_TERM_NEEDS_FILE, "/spara"),
            "Kommandot /spara beh\xF6ver ett filnamn, till exempel: /spara FIL");
  // An argument that holds "%2" is not formatted again.
  EXPECT_EQ(FormatString(IDS_SAVE_FAILED, "%2", "x"),
            "Samtalet kunde inte sparas i \"%2\": x.");
}

}  // namespace
}  // namespace pladdo
