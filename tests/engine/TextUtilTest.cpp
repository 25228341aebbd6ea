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

// Each mapping of one text to another, named for the trace.
struct Mapping {
  const char* name;
  std::function<std::string(std::string)> apply;
};
const Mapping kNormalize{"NormalizeSpaces",
                         [](std::string t) { return NormalizeSpaces(t), t; }};
const Mapping kLower{"ToLower", [](std::string t) { return ToLower(t), t; }};
const Mapping kUpper{"ToUpper", [](std::string t) { return ToUpper(t), t; }};
const Mapping kLetters{"IsLetter", [](std::string t) {
                         for (char& c : t) c = IsLetter(c) ? 'L' : '-';
                         return t;
                       }};
const Mapping kTo1252{"Utf8ToCp1252", Utf8ToCp1252};
const Mapping kToUtf8{"Cp1252ToUtf8", Cp1252ToUtf8};
const Mapping kFileLine{"FileLineToCp1252", FileLineToCp1252};
// The swap table: "du" twice (the lower index wins) and an empty word.
const std::vector<std::string> kFrom = {"jag", "du",    "dig",  "mig", "du",
                                        "",    "\xC5R", "bort", "ett"};
const std::vector<std::string> kTo = {"Du", "jag",   "mig", "dig",    "X",
                                      "x",  "\xE4r", "",    "ett ett"};
const Mapping kSwap{"SwapWords",
                    [](std::string t) { return SwapWords(t, kFrom, kTo), t; }};
const Mapping kValid{"IsValidUtf8", [](std::string t) -> std::string {
                       return IsValidUtf8(t) ? "valid" : "invalid";
                     }};

TEST(TextMapping, GivesTheExpectedBytes) {
  const std::string nul = "a\0b"s;
  // clang-format off
  const struct { const Mapping& map; std::string input, expected; } rows[] = {
      {kLetters, "AZaz\xE5\xD6\xFF\xC0\x8A\x8E\x9C\x9E\x9F\xA5", "LLLLLLLLLLLLLL"},
      {kLetters, "@[`{1-' \xD7\xF7\xBF\x8C\x9A\xAA\xB5\xBA\x1A\0"s, "------------------"},
      {kNormalize, "  a \t  b  ", "a b"},
      {kNormalize, "   \t\r\n", ""},
      {kNormalize, "a    b     c", "a b c"},
      {kNormalize, "!Hej\r", "!Hej"},
      {kNormalize, "x\x85y\x90z\x98w", "x y z w"},
      {kNormalize, nul, "a b"},
      {kNormalize, "x\x91y\x97z\x7F", "x\x91y\x97z\x7F"},
      {kNormalize, "\xE5 \xE4 \xF6", "\xE5 \xE4 \xF6"},
      {kNormalize, "\x8A\x9E", ""},
      {kLower, "HEJ \xC5\xC4\xD6\xC0\xDE", "hej \xE5\xE4\xF6\xE0\xFE"},
      {kUpper, "hej \xE5\xE4\xF6\xE0\xFE", "HEJ \xC5\xC4\xD6\xC0\xDE"},
      {kLower, "\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"},
      {kUpper, "\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"},
      {kLower, "\xD7\xF7\xB5\xAA\xDF 1?*", "\xD7\xF7\xB5\xAA\xDF 1?*"},
      {kUpper, "\xD7\xF7\xB5\xAA\xDF 1?*", "\xD7\xF7\xB5\xAA\xDF 1?*"},
      {kTo1252, "\xC3\xA5\xC3\xA4\xC3\xB6\xC3\x85\xC3\x84\xC3\x96", "\xE5\xE4\xF6\xC5\xC4\xD6"},
      {kToUtf8, "\xE5\xE4\xF6\xC5\xC4\xD6", "\xC3\xA5\xC3\xA4\xC3\xB6\xC3\x85\xC3\x84\xC3\x96"},
      {kTo1252, "\xE2\x82\xAC\xE2\x80\x94\xC5\xA0\xC5\xB8\xC2\x81", "\x80\x97\x8A\x9F\x81"},
      {kToUtf8, "\x80\x97\x8A\x9F\x81\xA0\xFF",
       "\xE2\x82\xAC\xE2\x80\x94\xC5\xA0\xC5\xB8\xC2\x81\xC2\xA0\xC3\xBF"},
      // What Windows-1252 cannot hold, one 0x1A per character or bad byte.
      {kTo1252, "\xC2\x80|\xE6\xBC\xA2|\xF0\x9F\x98\x80|\xC3", "\x1A|\x1A|\x1A|\x1A"},
      {kTo1252, "\xE5" "a\xC0\xAF", "\x1A" "a\x1A\x1A"},
      {kTo1252, "\xED\xA0\x80", "\x1A\x1A\x1A"},
      {kValid, "\xC3\xA5\xE2\x82\xAC\xF4\x8F\xBF\xBF", "valid"},
      {kValid, "\xF4\x90\x80\x80", "invalid"},
      {kValid, "\xC0\xAF", "invalid"},
      {kValid, "\xE0\x80\xAF", "invalid"},
      {kValid, "\xED\xA0\x80", "invalid"},
      {kValid, "a\xC3", "invalid"},
      {kValid, "\xC3" "a", "invalid"},
      {kValid, "\x80", "invalid"},
      {kValid, "\xE5r", "invalid"},
      {kFileLine, "!H\xC3\xA4r", "!H\xE4r"},
      {kFileLine, "!H\xE4r", "!H\xE4r"},
      {kFileLine, "!\xC3\xA5 och \xE5", "!\xC3\xA5 och \xE5"},
      {kFileLine, nul, nul},
      // Whole words only, leftmost first, case ignored, replacement as written,
      // swapped-in text never searched again.
      {kSwap, " du hatar mig", " jag hatar dig"},
      {kSwap, "jagade jag", "jagade jag"},
      {kSwap, "jag jagade", "Du jagade"},
      {kSwap, "JAG, du", "Du, jag"},
      {kSwap, "jag\xE5 jag", "jag\xE5 jag"},
      {kSwap, "\xE5r du", "\xE4r jag"},
      {kSwap, "bort nu", " nu"},
      {kSwap, "ett 1 2", "ett ett 1 2"},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.map.name) + ": " + row.input);
    EXPECT_EQ(row.map.apply(row.input), row.expected);
  }
}

TEST(TextMapping, EveryByteSurvivesTheRoundTripsAndUtf16Substitutes) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << b;
    EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(byte)), byte) << b;
  }
  EXPECT_EQ(Utf16ToCp1252(u"\u00E5\u20AC\u6F22a\U0001F600b"),
            "\xE5\x80\x1A"
            "a\x1A"
            "b");
  EXPECT_EQ(
      Utf16ToCp1252(std::u16string{char16_t(0xD800), u'x', char16_t(0xDC00)}),
      "\x1Ax\x1A");
}

constexpr std::size_t kUntouched = 4242;

TEST(WildFind, FindsPiecesInOrderIgnoringCaseAndStoresTheEnd) {
  // The end stays kUntouched without a match.
  // clang-format off
  const struct { std::string text, pattern; std::size_t pos, end; } rows[] = {
      {" ja, hej", "hej", 5, 7},
      {"hej", "HEJ", 0, 2},
      {"\xC5SA", "\xE5sa", 0, 2},
      {"abc", "abcd", npos, kUntouched},
      {"jagar dig", "jag*dig", 0, 8},
      {"jagar dig", "dig*jag", npos, kUntouched},
      {"xx hej yy", "*hej*", 3, 5},
      {"a-b", "a**b", 0, 2},
      {"ab", "a*b", 0, 1},
      {"a b a c", "a*c", 0, 6},
      {"ab ab", "a*b*a", 0, 3},
      {"ba", "a*b", npos, kUntouched},
      {"vad!", "vad?", 0, 3},
      {"vad", "vad?", npos, kUntouched},
      {"a?c", "abc", npos, kUntouched},
      {"[a][b]", "[?]", 0, 2},
      {"abc", "", 0, npos},
      {"abc", "**", 0, npos},
      {"", "", 0, npos},
      {"", "a", npos, kUntouched},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text + "|" + row.pattern);
    std::size_t end = kUntouched;
    EXPECT_EQ(WildFind(row.text, row.pattern, &end, 0), row.pos);
    EXPECT_EQ(end, row.end);
    EXPECT_EQ(WildFind(row.text, row.pattern, nullptr, 0), row.pos);
  }
}

}  // namespace
}  // namespace pladdo
