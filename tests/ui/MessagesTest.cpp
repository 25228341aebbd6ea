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
      {"codes alone, before a variable, after a word",
       "#ERROR_NOPROFILE# [#ERROR_LOOPPROTECTION# %a%] [namn#ERROR_NOVARIABLE#]",
       "Ingen profil hittades. [Lop-fel i %a%] [namn-variabeln finns inte]"},
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
// clang-format on

// An argument is put in as it is, never read for arguments itself.
TEST(StringTable, FormatsEachArgumentOnce) {
  EXPECT_EQ(FormatString(IDS_SAVE_FAILED, "%2", "x"),
            "Samtalet kunde inte sparas i \"%2\": x.");
}

// The account of a trace: the rules, a group passed over, and the note on
// a variable nested too deep, indented under it.
TEST(DescribeTrace, TellsEachPartOfATraceInSwedish) {
  ReplyTrace trace;
  trace.situation = TraceSituation::Fallback;
  trace.strInput = "hmm";
  trace.strReply = "x [#ERROR_LOOPPROTECTION# %a%]";
  trace.droppedPattern = {"/p/bot.ppf", 4, "?eko"};
  trace.answer = {"/p/bot.ppf", 9, "!%a%"};
  trace.variables = {
      {0, "%a%", "x %a%", true, {"/p/bot.ppf", 12, "!x %a%"}, false, false},
      {1, "%a%", "x %a%", true, {"/p/bot.ppf", 12, "!x %a%"}, true, false}};
  // clang-format off
  EXPECT_EQ(DescribeTrace(trace, "R:"),
       "R:\n  Raden: \xABhmm\xBB (med sm\xE5 bokst\xE4ver, som m\xF6nstren j\xE4mf\xF6rs)\n"
       "  Svaret: \xABx [Lop-fel i %a%]\xBB\n"
       "  Varf\xF6r: inget m\xF6nster passade, s\xE5 svaret kommer ur [NOTFOUND].\n"
       "  M\xF6nstret bot.ppf:4 ?eko passade men f\xE5ngade inga ord, och alla gruppens "
       "svar anv\xE4nder %FE%; gruppen hoppades \xF6ver.\n"
       "  Svarsrad: bot.ppf:9 !%a%\n"
       "  Variabler:\n"
       "    %a% = \xABx %a%\xBB, raden bot.ppf:12 !x %a%\n"
       "      %a% = \xABx %a%\xBB, raden bot.ppf:12 !x %a%\n"
       "        %a%: f\xF6r djupt inb\xE4" "ddad, visas som loop-skydd\n");
  // clang-format on
}

}  // namespace
}  // namespace pladdo
