// Tests of the letter test, normalisation, case mapping, WildFind and
// SwapWords on Windows-1252 bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/TextUtil.h"

namespace pladdo {
namespace {

// ---- Letters and control codes -------------------------------------------

struct ByteRow {
  unsigned char byte;
  bool expected;
  const char* what;
};

TEST(IsLetter, HoldsForExactlyTheWindows1252Letters) {
  const ByteRow rows[] = {
      {'A', true, "A"},           {'Z', true, "Z"},
      {'a', true, "a"},           {'z', true, "z"},
      {'@', false, "@ before A"}, {'[', false, "[ after Z"},
      {'`', false, "` before a"}, {'{', false, "{ after z"},
      {'1', false, "digit"},      {'-', false, "hyphen"},
      {'\'', false, "apostrophe"}, {' ', false, "blank"},
      {0xE5, true, "\xC3\xA5"},   {0xD6, true, "\xC3\x96"},
      {0xFF, true, "\xC3\xBF"},   {0xC0, true, "\xC3\x80"},
      {0xD7, false, "times"},     {0xF7, false, "divide"},
      {0xBF, false, "inverted ?"}, {0x8A, true, "S caron"},
      {0x8E, true, "Z caron"},    {0x9C, true, "oe"},
      {0x9E, true, "z caron"},    {0x9F, true, "Y diaeresis"},
      {0xA5, true, "yen"},        {0x8C, false, "OE"},
      {0x9A, false, "s caron"},   {0xAA, false, "ordinal a"},
      {0xB5, false, "micro"},     {0xBA, false, "ordinal o"},
      {0x00, false, "NUL"},       {0x1A, false, "substitute"},
  };
  for (const ByteRow& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(IsLetter(row.byte), row.expected);
  }
}

TEST(BlankControlCodes, BlanksBelow20And80To90And98To9F) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    std::string text(1, static_cast<char>(b));
    BlankControlCodes(text);
    const bool blanked =
        b < 0x20 || (b >= 0x80 && b <= 0x90) || (b >= 0x98 && b <= 0x9F);
    EXPECT_EQ(text, blanked ? std::string(" ") : std::string(1, char(b)));
  }
}

// ---- NormalizeSpaces ------------------------------------------------------

struct TextRow {
  std::string input;
  std::string expected;
  const char* what;
};

TEST(NormalizeSpaces, FoldsBlanksAndTrimsBothEnds) {
  const TextRow rows[] = {
      {"  a \t  b  ", "a b", "worked example"},
      {"", "", "empty"},
      {"     ", "", "blanks only"},
      {"\t\r\n", "", "control codes only"},
      {"a", "a", "one letter"},
      {" a", "a", "blank at the start"},
      {"a ", "a", "blank at the end"},
      {"a    b     c", "a b c", "runs in the middle"},
      {"!Hej\r", "!Hej", "carriage return at the end"},
      {"x\x85y", "x y", "0x85 is a control code"},
      {"x\x91y\x97z", "x\x91y\x97z", "quotes and dashes stay"},
      {"a\x7F b", "a\x7F b", "DEL stays"},
      {"\xE5 \xE4 \xF6", "\xE5 \xE4 \xF6", "Swedish letters stay"},
      {"\x8A\x9E", "", "S caron and z caron are blanked"},
      {std::string("a\0b", 3), "a b", "NUL becomes a blank"},
  };
  for (const TextRow& row : rows) {
    SCOPED_TRACE(row.what);
    std::string text = row.input;
    NormalizeSpaces(text);
    EXPECT_EQ(text, row.expected);
  }
}

// ---- Case mapping ---------------------------------------------------------

TEST(CaseMapping, UsesTheWindows1252Pairs) {
  const TextRow lowerRows[] = {
      {"HEJ Du", "hej du", "ASCII"},
      {"\xC5\xC4\xD6", "\xE5\xE4\xF6", "\xC3\x85\xC3\x84\xC3\x96"},
      {"\xC0\xDE", "\xE0\xFE", "ends of the range"},
      {"\xD7\xF7", "\xD7\xF7", "times and divide have no pair"},
      {"\xDF", "\xDF", "sharp s has no capital"},
      {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", "S OE Z Y"},
      {"\xB5\xAA 1?*", "\xB5\xAA 1?*", "bytes without a pair"},
  };
  for (const TextRow& row : lowerRows) {
    SCOPED_TRACE(row.what);
    std::string text = row.input;
    ToLower(text);
    EXPECT_EQ(text, row.expected);
    // The mapping is a pair both ways for these rows.
    std::string back = row.expected;
    ToUpper(back);
    std::string upper = row.input;
    ToUpper(upper);
    EXPECT_EQ(back, upper);
  }
}

// ---- WildFind --------------------------------------------------------------

struct FindRow {
  std::string text;
  std::string pattern;
  std::size_t start;
  std::size_t expectedPos;
  std::size_t expectedEnd;  // unchanged sentinel when there is no match
  const char* what;
};

constexpr std::size_t kUntouched = 4242;

TEST(WildFind, FindsPiecesInOrderIgnoringCase) {
  const FindRow rows[] = {
      // Plain text
      {" ja, hej", "hej", 0, 5, 7, "keyword after a blank"},
      {"hej", "HEJ", 0, 0, 2, "case is ignored"},
      {"HEJ", "hej", 0, 0, 2, "case is ignored in the text too"},
      {"\xC5SA", "\xE5sa", 0, 0, 2, "Swedish capitals"},
      {"abc", "abcd", 0, npos, kUntouched, "pattern longer than text"},
      {"abcabc", "bc", 2, 4, 5, "search starts at start"},
      {"abc", "c", 3, npos, kUntouched, "start at the end"},
      {"abc", "x", 0, npos, kUntouched, "not there"},
      // Asterisks
      {"jagar dig", "jag*dig", 0, 0, 8, "pieces in order"},
      {"jagar dig", "dig*jag", 0, npos, kUntouched, "pieces out of order"},
      {"xx hej yy", "*hej*", 0, 3, 5, "stars at both ends"},
      {"a-b", "a**b", 0, 0, 2, "double star acts as one"},
      {"ab", "a*b", 0, 0, 1, "star matches nothing"},
      {"a b a c", "a*c", 0, 0, 6, "first piece at its leftmost place"},
      {"ab ab", "a*b*a", 0, 0, 3, "three pieces"},
      {"ba", "a*b", 0, npos, kUntouched, "later piece missing"},
      // Question marks
      {"vad!", "vad?", 0, 0, 3, "question mark takes one byte"},
      {"vad", "vad?", 0, npos, kUntouched, "question mark needs a byte"},
      {"vad ", "vad?", 0, 0, 3, "question mark takes a blank"},
      {"a?c", "abc", 0, npos, kUntouched, "? in the text is a plain byte"},
      {"[SPEAK] ", "[speak]", 0, 0, 6, "block header"},
      {"x[START]", "[START]", 0, 1, 7, "header not at the start"},
      {"[a][b]", "[?]", 0, 0, 2, "wildcard in a block name"},
      // Empty pattern
      {"abc", "", 0, 0, npos, "empty pattern ends at start - 1"},
      {"abc", "**", 0, 0, npos, "stars only"},
      {"abc", "", 2, 2, 1, "empty pattern from 2"},
      {"", "", 0, 0, npos, "empty text and pattern"},
      {"", "a", 0, npos, kUntouched, "empty text"},
  };
  for (const FindRow& row : rows) {
    SCOPED_TRACE(row.what);
    std::size_t end = kUntouched;
    EXPECT_EQ(WildFind(row.text, row.pattern, &end, row.start),
              row.expectedPos);
    EXPECT_EQ(end, row.expectedEnd);
    EXPECT_EQ(WildFind(row.text, row.pattern, nullptr, row.start),
              row.expectedPos);
  }
}

TEST(WildFind, LeavesTheCallersTextsAlone) {
  const std::string text = "Hej D\xC5";
  const std::string pattern = "D\xC5";
  EXPECT_EQ(WildFind(text, pattern, nullptr, 0), 4u);
  EXPECT_EQ(text, "Hej D\xC5");
  EXPECT_EQ(pattern, "D\xC5");
}

// ---- SwapWords -------------------------------------------------------------

struct SwapRow {
  std::string text;
  std::vector<std::string> from;
  std::vector<std::string> to;
  std::string expected;
  const char* what;
};

TEST(SwapWords, SwapsWholeWordsLeftmostFirst) {
  const std::vector<std::string> pairsFrom = {"jag", "du", "dig", "mig"};
  const std::vector<std::string> pairsTo = {"du", "jag", "mig", "dig"};
  const SwapRow rows[] = {
      {" du hatar mig", pairsFrom, pairsTo, " jag hatar dig",
       "both directions exchange"},
      {"jagade jag", {"jag"}, {"du"}, "jagade jag",
       "first find inside a word stops swapping"},
      {"jag jagade", {"jag"}, {"du"}, "du jagade", "whole word first"},
      {"JAG vet", {"jag"}, {"Du"}, "Du vet",
       "case ignored, replacement as written"},
      {"vet jag", {"jag"}, {"du"}, "vet du", "word at the end"},
      {"jag, du", pairsFrom, pairsTo, "du, jag", "punctuation is no letter"},
      {"jag\xE5 jag", {"jag"}, {"du"}, "jag\xE5 jag",
       "a Swedish letter is a letter"},
      {"\xE5r jag", {"\xC5R"}, {"\xE4r"}, "\xE4r jag",
       "Swedish word, case ignored"},
      {"du du", {"du", "du"}, {"a", "b"}, "a a", "lower index wins"},
      {"jag", {"jag"}, {""}, "", "deleting a word"},
      {"abc", {}, {}, "abc", "empty table"},
      {"a b", {"", "a"}, {"x", "y"}, "y b", "empty word takes no part"},
      {"1 2", {""}, {"x"}, "1 2", "empty word is never swapped in"},
      {"jag jag", {"jag"}, {"jag jag"}, "jag jag jag jag",
       "swapped-in text is not searched again"},
  };
  for (const SwapRow& row : rows) {
    SCOPED_TRACE(row.what);
    std::string text = row.text;
    SwapWords(text, row.from, row.to);
    EXPECT_EQ(text, row.expected);
  }
}

}  // namespace
}  // namespace pladdo
