// The tables that turn message codes into Swedish texts: the engine's codes
// in replies, the string table, and the account of a reply. The checker's
// report as the user reads it is the end-to-end tests' (tests/e2e).
#include <gtest/gtest.h>

#include <string>

#include "engine/ReplyTrace.h"
#include "ui/ChatDlg.h"
#include "ui/Messages.h"
#include "ui/StringTable.h"
#include "ui/WhyText.h"

namespace pladdo {
namespace {

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

// The account of a trace: every rule, the notes on deep and unevaluated
// variables, a group passed over, and nothing at all.
TEST(DescribeTrace, TellsEachPartOfATraceInSwedish) {
  const TraceRow answer{"/p/bot.ppf", 9, "!%a% %b%"};
  ReplyTrace notes;
  notes.situation = TraceSituation::Fallback;
  notes.strInput = "hmm";
  notes.strReply =
      "x [#ERROR_LOOPPROTECTION# %a%] [#ERROR_LOOPPROTECTION# %b%]";
  notes.droppedPattern = {"/p/bot.ppf", 4, "?eko"};
  notes.answer = answer;
  notes.variables = {
      {0, "%a%", "x %a%", true, {"/p/bot.ppf", 12, "!x %a%"}, false, false},
      {1, "%a%", "x %a%", true, {"/p/bot.ppf", 12, "!x %a%"}, true, false},
      {0, "%b%", "", false, {}, false, true},
  };
  notes.nVariablesOmitted = 7;
  ReplyTrace missing;
  missing.situation = TraceSituation::NoProfile;
  missing.strProfile = "/p/saknas.ppf";
  missing.strInput = "hej";
  missing.strReply = "#ERROR_NOPROFILE#";
  // clang-format off
  const struct { const char* what; ReplyTrace trace; std::string text; } rows[] = {
      {"nothing yet", ReplyTrace{}, "R:\n  Inget svar \xE4nnu.\n"},
      {"a group passed over, a deep and an unevaluated variable, more left out", notes,
       "R:\n  Raden: \xABhmm\xBB (med sm\xE5 bokst\xE4ver, som m\xF6nstren j\xE4mf\xF6rs)\n"
       "  Svaret: \xABx [Lop-fel i %a%] [#ERROR_LOOPPROTECTION# %b%]\xBB\n"
       "  Varf\xF6r: inget m\xF6nster passade, s\xE5 svaret kommer ur [NOTFOUND].\n"
       "  M\xF6nstret bot.ppf:4 ?eko passade men f\xE5ngade inga ord, och alla gruppens "
       "svar anv\xE4nder %FE%; gruppen hoppades \xF6ver.\n"
       "  Svarsrad: bot.ppf:9 !%a% %b%\n"
       "  Variabler:\n"
       "    %a% = \xABx %a%\xBB, raden bot.ppf:12 !x %a%\n"
       "      %a% = \xABx %a%\xBB, raden bot.ppf:12 !x %a%\n"
       "        %a%: f\xF6r djupt inb\xE4" "ddad, visas som loop-skydd\n"
       "    %b%: inte utv\xE4rderad, svaret hade redan anv\xE4nt alla sina variabeluppslag\n"
       "    \x85 och 7 variabler till\n"},
      {"the profile could not be opened", missing,
       "R:\n  Raden: \xABhej\xBB (med sm\xE5 bokst\xE4ver, som m\xF6nstren j\xE4mf\xF6rs)\n"
       "  Svaret: \xABIngen profil hittades.\xBB\n"
       "  Varf\xF6r: profilen \"/p/saknas.ppf\" kunde inte \xF6ppnas.\n"},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(DescribeTrace(row.trace, "R:"), row.text);
  }
}

}  // namespace
}  // namespace pladdo
