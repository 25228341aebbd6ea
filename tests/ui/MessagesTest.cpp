// The tables that turn message codes into Swedish texts: the engine's codes
// in replies, the system's error numbers and the string table. The
// checker's report as the user reads it is the end-to-end tests'
// (tests/e2e).
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "engine/Codepage.h"
#include "tests/TestUtil.h"
#include "ui/ChatDlg.h"
#include "ui/Messages.h"
#include "ui/StringTable.h"

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

// clang-format off
TEST(FormatSystemError, GivesTheReasonInSwedishAndNeverForeignWordsMidSentence) {
  const struct { const char* what; int id, error; std::string expected; } rows[] = {
      {"a missing folder on saving", IDS_SAVE_FAILED, ENOENT,
       "Samtalet kunde inte sparas i \"/a/b.txt\": filen eller mappen finns inte."},
      {"no rights on saving", IDS_SAVE_FAILED, EACCES,
       "Samtalet kunde inte sparas i \"/a/b.txt\": du saknar behörighet."},
      {"a full disk", IDS_SAVE_FAILED, ENOSPC,
       "Samtalet kunde inte sparas i \"/a/b.txt\": det finns inget utrymme kvar på disken."},
      {"a folder as a profile, in the sentence's middle", IDS_TERM_PROFILE_FAILED, EISDIR,
       "Profilen \"/a/b.txt\" kunde inte öppnas: det är en mapp. Inget har ändrats."},
      {"a number no one knows: the system's words on a line after", IDS_TERM_PROFILE_FAILED, 4000,
       "Profilen \"/a/b.txt\" kunde inte öppnas: ett oväntat fel (felnummer 4000). Inget har "
       "ändrats.\n(systemets beskrivning: Unknown error 4000)"},
  };
  // Where the C library finds no locale but C and POSIX, whatever this
  // machine has generated, so that it has no Swedish words of its own.
  const test::TempDir noLocales;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const test::ChildRun run = test::RunChild([&] {
      setenv("LOCPATH", noLocales.Path().c_str(), 1);
      return Cp1252ToUtf8(FormatSystemError(row.id, "/a/b.txt", row.error));
    });
    EXPECT_EQ(run.Result(), row.expected);
  }
}
// clang-format on

// An argument is put in as it is, never read for arguments itself.
TEST(StringTable, FormatsEachArgumentOnce) {
  EXPECT_EQ(FormatString(IDS_SAVE_FAILED, "%2", "x"),
            "Samtalet kunde inte sparas i \"%2\": x.");
}

}  // namespace
}  // namespace pladdo
