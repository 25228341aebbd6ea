// Tests of the Windows-1252 conversions at the program's edges.
#include <gtest/gtest.h>

#include <string>

#include "engine/Codepage.h"

namespace pladdo {
namespace {

struct ConvertRow {
  std::string from;
  std::string expected;
  const char* what;
};

TEST(Utf8ToCp1252, ConvertsWhatWindows1252HoldsAndSubstitutesTheRest) {
  const ConvertRow rows[] = {
      {"", "", "empty"},
      {"hej", "hej", "ASCII"},
      {"\xC3\xA5\xC3\xA4\xC3\xB6\xC3\x85\xC3\x84\xC3\x96",
       "\xE5\xE4\xF6\xC5\xC4\xD6", "Swedish letters"},
      {"\xE2\x82\xAC", "\x80", "euro sign"},
      {"\xE2\x80\x9C\xE2\x80\x94", "\x93\x97", "quote and dash"},
      {"\xC5\xA0\xC5\xBE\xC5\xB8", "\x8A\x9E\x9F", "S caron, z caron, Y"},
      {"\xC2\x81", "\x81", "undefined byte as C1 control"},
      {"\xC2\x80", "\x1A", "C1 control without a byte"},
      {"\xE6\xBC\xA2", "\x1A", "CJK character"},
      {"a\xF0\x9F\x98\x80" "b", "a\x1A" "b", "emoji: one substitute"},
      {"\xC3", "\x1A", "cut sequence"},
      {"\xE5" "a", "\x1A" "a", "Windows-1252 byte is malformed UTF-8"},
      {"\xC0\xAF", "\x1A\x1A", "overlong: one per bad byte"},
      {"\xED\xA0\x80", "\x1A\x1A\x1A", "surrogate"},
  };
  for (const ConvertRow& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Utf8ToCp1252(row.from), row.expected);
  }
}

TEST(Cp1252ToUtf8, GivesTheUnicodeOfEveryByte) {
  const ConvertRow rows[] = {
      {"", "", "empty"},
      {"hej", "hej", "ASCII"},
      {"\xE5\xE4\xF6\xC5\xC4\xD6",
       "\xC3\xA5\xC3\xA4\xC3\xB6\xC3\x85\xC3\x84\xC3\x96", "Swedish letters"},
      {"\x80", "\xE2\x82\xAC", "euro sign"},
      {"\x9D", "\xC2\x9D", "undefined byte"},
      {"\xA0\xFF", "\xC2\xA0\xC3\xBF", "Latin-1 range"},
      {"\x1A", "\x1A", "substitute byte stays"},
  };
  for (const ConvertRow& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Cp1252ToUtf8(row.from), row.expected);
  }
}

TEST(Codepage, EveryByteSurvivesTheRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte);
    EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(byte)), byte);
    EXPECT_TRUE(IsValidUtf8(Cp1252ToUtf8(byte)));
  }
}

struct ValidRow {
  std::string text;
  bool valid;
  const char* what;
};

TEST(IsValidUtf8, RejectsMalformedSequences) {
  const ValidRow rows[] = {
      {"", true, "empty"},
      {"abc", true, "ASCII"},
      {"\xC3\xA5", true, "two bytes"},
      {"\xE2\x82\xAC", true, "three bytes"},
      {"\xF4\x8F\xBF\xBF", true, "highest code point"},
      {"\xF4\x90\x80\x80", false, "above U+10FFFF"},
      {"\xC0\xAF", false, "overlong two bytes"},
      {"\xE0\x80\xAF", false, "overlong three bytes"},
      {"\xED\xA0\x80", false, "surrogate"},
      {"\xC3", false, "cut at the end"},
      {"\xC3" "a", false, "missing continuation"},
      {"\x80", false, "lone continuation"},
      {"\xE5r", false, "Windows-1252 text"},
  };
  for (const ValidRow& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(IsValidUtf8(row.text), row.valid);
  }
}

TEST(FileLineToCp1252, ConvertsOnlyValidUtf8WithHighBytes) {
  const ConvertRow rows[] = {
      {"!Hej", "!Hej", "ASCII stays"},
      {"!H\xC3\xA4r", "!H\xE4r", "UTF-8 is converted"},
      {"!H\xE4r", "!H\xE4r", "Windows-1252 stays"},
      {"!\xC3\xA5 och \xE5", "!\xC3\xA5 och \xE5", "mixed line stays bytes"},
      {std::string("a\0b", 3), std::string("a\0b", 3), "NUL stays"},
  };
  for (const ConvertRow& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(FileLineToCp1252(row.from), row.expected);
  }
}

struct Utf16Row {
  std::u16string utf16;
  std::string cp1252;
  const char* what;
};

TEST(Utf16ToCp1252, ConvertsAndSubstitutes) {
  const Utf16Row rows[] = {
      {u"", "", "empty"},
      {u"\u00E5\u00E4\u00F6\u00C5\u00C4\u00D6", "\xE5\xE4\xF6\xC5\xC4\xD6",
       "Swedish letters"},
      {u"\u20AC\u2019", "\x80\x92", "euro and quote"},
      {u"\u6F22", "\x1A", "CJK character"},
      {u"a\U0001F600b", "a\x1A" "b", "surrogate pair: one substitute"},
      {std::u16string(1, char16_t(0xD800)) + u"x", "\x1A" "x",
       "lone high surrogate"},
      {std::u16string(1, char16_t(0xDC00)), "\x1A", "lone low surrogate"},
  };
  for (const Utf16Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Utf16ToCp1252(row.utf16), row.cp1252);
  }
}

}  // namespace
}  // namespace pladdo
