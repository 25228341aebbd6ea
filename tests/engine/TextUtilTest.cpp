// The code page conversions; the other text utilities are tested through
// the engine's block reader, matching and word swap.
#include <gtest/gtest.h>

#include <string>

#include "engine/Codepage.h"

namespace pladdo {
namespace {

TEST(Codepage, EveryByteSurvivesTheRoundTripsAndTheRestIsSubstituted) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << b;
    EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(byte)), byte) << b;
  }
  EXPECT_EQ(Cp1252ToUtf8("\xE5\x80\x97"), "\xC3\xA5\xE2\x82\xAC\xE2\x80\x94");
  // One 0x1A per character Windows-1252 lacks, or per byte that is no UTF-8.
  EXPECT_EQ(Utf8ToCp1252("\xC2\x80|\xE6\xBC\xA2|\xF0\x9F\x98\x80|\xC3|\xE5"),
            "\x1A|\x1A|\x1A|\x1A|\x1A");
  EXPECT_EQ(Utf16ToCp1252(u"\u20AC\u6F22\U0001F600"), "\x80\x1A\x1A");
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
  EXPECT_TRUE(IsValidUtf8("\xC3\xA5\xE2\x82\xAC\xF4\x8F\xBF\xBF"));
}

}  // namespace
}  // namespace pladdo
