// The terminal's prompt: the window's prompt without its mnemonic mark.
#include <gtest/gtest.h>

#include "ui/terminal/TerminalChat.h"

namespace pladdo {
namespace {

TEST(TerminalPrompt, DropsOnlyTheMnemonicAndKeepsAnAmpersandInAName) {
  // clang-format off
  const struct { const char* prompt; const char* shown; } rows[] = {
      {"Du s&varar:", "Du svarar: "},
      {"Tom & Jerry s&varar:", "Tom & Jerry svarar: "},
      {"\xC5sa s&varar:", "Åsa svarar: "},  // Windows-1252 in, UTF-8 out
  };
  // clang-format on
  for (const auto& row : rows) {
    EXPECT_EQ(PromptText(row.prompt), row.shown) << row.prompt;
  }
}

}  // namespace
}  // namespace pladdo
