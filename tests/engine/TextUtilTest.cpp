// Tests of the text utilities and the code page conversions, all on
// Windows-1252 bytes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/Codepage.h"
#include "engine/TextUtil.h"

namespace pladdo {
namespace {

using namespace std::string_literals;
using Map = std::function<std::string(std::string)>;

TEST(TextMapping, GivesTheExpectedBytes) {
  const Map letters = [](std::string t) {
    for (char& c : t) c = IsLetter(c) ? 'L' : '-';
    return t;
  };
  const Map normalize = [](std::string t) { return NormalizeSpaces(t), t; };
  const Map lower = [](std::string t) { return ToLower(t), t; };
  const Map upper = [](std::string t) { return ToUpper(t), t; };
  const Map valid = [](std::string t) -> std::string {
    return IsValidUtf8(t) ? "valid" : "invalid";
  };
  // "du" twice (the lower index wins) and an empty word.
  const Map swap = [](std::string t) {
    SwapWords(t, {"jag", "du", "mig", "du", "", "\xC5R", "bort"},
              {"Du", "jag", "dig", "X", "x", "\xE4r", ""});
    return t;
  };
  // clang-format off
  const struct { const Map& map; std::string input, expected; } rows[] = {
      {letters, "Az\xE5\xD6\xFF\x8A\x9F@[`{1 \xD7\xF7\xAA\xB5\0"s, "LLLLLLL-----------"},
      {normalize, "  a \t\r b\x85\0c  "s, "a b c"},
      {normalize, "x\x91y\x97z\x7F", "x\x91y\x97z\x7F"},
      {lower, "HEJ \xC5\xC4\xD6\x8A\x9F\xD7", "hej \xE5\xE4\xF6\x9A\xFF\xD7"},
      {upper, "hej \xE5\xE4\xF6\x9A\xFF\xDF", "HEJ \xC5\xC4\xD6\x8A\x9F\xDF"},
      {Utf8ToCp1252, "\xC3\xA5\xC3\x96\xE2\x82\xAC\xE2\x80\x94", "\xE5\xD6\x80\x97"},
      // What Windows-1252 cannot hold, one 0x1A per character or bad byte.
      {Utf8ToCp1252, "\xC2\x80|\xE6\xBC\xA2|\xF0\x9F\x98\x80|\xC3|\xE5" "a", "\x1A|\x1A|\x1A|\x1A|\x1A" "a"},
      {valid, "\xC3\xA5\xE2\x82\xAC\xF4\x8F\xBF\xBF", "valid"},
      {valid, "\xF4\x90\x80\x80", "invalid"},
      {valid, "\xC0\xAF", "invalid"},
      {valid, "\xED\xA0\x80", "invalid"},
      {valid, "a\xC3", "invalid"},
      {FileLineToCp1252, "!H\xC3\xA4r", "!H\xE4r"},
      {FileLineToCp1252, "!\xC3\xA5 och \xE5", "!\xC3\xA5 och \xE5"},
      // Whole words only, leftmost first, case ignored, replacement as
      // written, swapped-in text never searched again.
      {swap, " du hatar mig", " jag hatar dig"},
      {swap, "JAG jagade jag\xE5", "Du jagade jag\xE5"},
      {swap, "\xE5r bort", "\xE4r "},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    EXPECT_EQ(row.map(row.input), row.expected);
  }
}

TEST(TextMapping, EveryByteSurvivesTheRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << b;
    EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(byte)), byte) << b;
  }
  EXPECT_EQ(Utf16ToCp1252(u"\u20AC\u6F22\U0001F600"), "\x80\x1A\x1A");
}

TEST(WildFind, FindsPiecesInOrderIgnoringCaseAndStoresTheEnd) {
  constexpr std::size_t kUntouched = 4242;  // the end without a match
  // clang-format off
  const struct { std::string text, pattern; std::size_t pos, end; } rows[] = {
      {" ja, hej", "hej", 5, 7},
      {"\xC5SA", "\xE5sa", 0, 2},
      {"abc", "abcd", npos, kUntouched},
      {"jagar dig", "jag*dig", 0, 8},
      {"jagar dig", "dig*jag", npos, kUntouched},
      {"a b a c", "a*c", 0, 6},
      {"a-b", "a**b", 0, 2},
      {"vad!", "vad?", 0, 3},
      {"vad", "vad?", npos, kUntouched},
      {"a?c", "abc", npos, kUntouched},
      {"abc", "**", 0, npos},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text + "|" + row.pattern);
    std::size_t end = kUntouched;
    EXPECT_EQ(WildFind(row.text, row.pattern, &end, 0), row.pos);
    EXPECT_EQ(end, row.end);
  }
}

}  // namespace
}  // namespace pladdo
