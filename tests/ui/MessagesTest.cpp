// The tables that turn message codes into Swedish texts: the engine's codes
// in replies, the checker's report as the user reads it, the string table.
#include <gtest/gtest.h>

#include <string>

#include "engine/ChatEngine.h"
#include "ui/ChatDlg.h"
#include "ui/Messages.h"
#include "ui/StringTable.h"

namespace pladdo {
namespace {

std::string Fx(const std::string& name) {
  return std::string(PLADDO_FIXTURES) + "/engine/" + name;
}

// clang-format off
TEST(TranslateCodes, ReplacesTheFirstOccurrenceOfEachCodeOnly) {
  const struct { const char* what; std::string text, expected; } rows[] = {
      {"every code", "#ERROR_NOPROFILE# #ERROR_WELCOMEEMPTY# #ERROR_CANTOPENFILE# "
       "#ERROR_NOVARIABLEANSWER# [#ERROR_LOOPPROTECTION# %a%] "
       "[#ERROR_VARIABELCANTOPENFILE# ord.txt ] [namn#ERROR_NOVARIABLE#]",
       "Ingen profil hittades. Fel i profil! Inga poster under [WELCOME] \xE4r inskrivna. "
       "Filen kunde inte \xF6ppnas. [FEL. Inga svarsalternativ f\xF6r variabel.] "
       "[Lop-fel i %a%] [Fel vid variablekonvertering, kunde ej \xF6ppna filen: ord.txt ] "
       "[namn-variabeln finns inte]"},
      {"same code twice: only the first", "#ERROR_NOPROFILE##ERROR_NOPROFILE#",
       "Ingen profil hittades.#ERROR_NOPROFILE#"},
      {"lower case, unknown, checker and cut-short codes stay",
       "#error_noprofile# #ERROR_SOMETHING# #NOERROR# #ERROR_NOPROFILE",
       "#error_noprofile# #ERROR_SOMETHING# #NOERROR# #ERROR_NOPROFILE"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(CChatDlg::TranslateCodes(row.text), row.expected);
  }
}

TEST(StringTable, HasNoTextForAnUnknownIdAndFormatsEachArgumentOnce) {
  EXPECT_EQ(LoadString(12345), "");
  EXPECT_EQ(FormatString(IDS_SAVE_FAILED, "%2", "x"),
            "Samtalet kunde inte sparas i \"%2\": x.");
}
// clang-format on

TEST(CheckProfile, WorkedExampleReadsAsTheUserSeesIt) {
  CChatEngine engine;
  engine.SetLanguageFile(Fx("lang_pairs.dat"));
  engine.SetProfile(Fx("check_example.ppf"));
  EXPECT_EQ(
      TranslateCheckerReport(engine.CheckProfile().strReport),
      "Profilnamn: " + Fx("check_example.ppf") +
          "\n\nNamn: Test\nVersion:  \nF\xF6rfattare:  \nInfo:  \nSpr\xE5k: "
          "test (ogiltigt spr\xE5k)\n\n[SPEAK]\n[7] ?hej **\nDubbla "
          "asterisker hittades, endast en anv\xE4nds.\n[7] ?hej "
          "**\nMellanslag f\xF6re asterisk hittades, raden kanske inte "
          "fungerar korrekt.\nInga svarsalternativ hittades.\n\n[X]\n[9] "
          "hej\nOgiltig rad.\n[10] !100%\nEtt udda antal procenttecken "
          "hittades\n\n6 fel hittades.");
}

}  // namespace
}  // namespace pladdo
