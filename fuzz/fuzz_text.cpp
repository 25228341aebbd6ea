// Fuzz target: the text utilities and the code-page conversions on arbitrary
// bytes, each checked against the properties its callers rely on.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/Codepage.h"
#include "engine/TextUtil.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool IsBlanked(unsigned char b) {
  return b < 0x20 || (b >= 0x80 && b <= 0x90) || (b >= 0x98 && b <= 0x9F);
}

void CheckNormalize(const std::string& original) {
  std::string text = original;
  pladdo::NormalizeSpaces(text);
  Require(text.size() <= original.size());
  Require(text.empty() || (text.front() != ' ' && text.back() != ' '));
  Require(text.find("  ") == std::string::npos);
  for (char c : text) Require(!IsBlanked(static_cast<unsigned char>(c)));
  std::string again = text;
  pladdo::NormalizeSpaces(again);
  Require(again == text);
}

void CheckCase(const std::string& original) {
  std::string lower = original;
  pladdo::ToLower(lower);
  std::string upper = original;
  pladdo::ToUpper(upper);
  Require(lower.size() == original.size() && upper.size() == original.size());
  std::string twice = lower;
  pladdo::ToLower(twice);
  Require(twice == lower);
}

// A pattern without wildcards must be found exactly where a plain
// case-folded substring search finds it.
void CheckWildFind(const std::string& text, const std::string& pattern,
                   std::size_t start) {
  std::size_t end = 12345;
  const std::size_t pos = pladdo::WildFind(text, pattern, &end, start);
  const bool plain = pattern.find_first_of("*?") == std::string::npos;
  if (plain) {
    std::string lowText = text;
    std::string lowPattern = pattern;
    pladdo::ToLower(lowText);
    pladdo::ToLower(lowPattern);
    Require(pos == lowText.find(lowPattern, start));
  }
  if (pos == pladdo::npos) return;
  Require(pos >= start && pos <= text.size());
  if (pattern.find_first_not_of('*') != std::string::npos) {
    Require(end >= pos && end < text.size());
  } else {
    Require(end == pos - 1);
  }
}

void CheckSwap(std::string text, const std::vector<std::string>& from,
               const std::vector<std::string>& to) {
  const std::string before = text;
  pladdo::SwapWords(text, from, to);
  std::string lowText = before;
  pladdo::ToLower(lowText);
  bool anyFound = false;
  for (std::string word : from) {
    pladdo::ToLower(word);
    anyFound = anyFound || lowText.find(word) != std::string::npos;
  }
  if (!anyFound) Require(text == before);
}

void CheckCodepage(const std::string& bytes) {
  const std::string utf8 = pladdo::Cp1252ToUtf8(bytes);
  Require(pladdo::IsValidUtf8(utf8));
  Require(pladdo::Utf8ToCp1252(utf8) == bytes);
  Require(pladdo::Utf16ToCp1252(pladdo::Cp1252ToUtf16(bytes)) == bytes);
  // Arbitrary bytes read as UTF-8 never grow.
  Require(pladdo::Utf8ToCp1252(bytes).size() <= bytes.size());
  const std::string line = pladdo::FileLineToCp1252(bytes);
  if (!pladdo::HasHighBytes(bytes)) Require(line == bytes);
  std::u16string units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    units.push_back(static_cast<char16_t>(
        static_cast<unsigned char>(bytes[i]) |
        (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  }
  Require(pladdo::Utf16ToCp1252(units).size() <= units.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string text = in.ConsumeRandomLengthString(4096);
  const std::string pattern = in.ConsumeRandomLengthString(256);
  const std::size_t start =
      in.ConsumeIntegralInRange<std::size_t>(0, text.size());

  std::vector<std::string> from;
  std::vector<std::string> to;
  const int pairs = in.ConsumeIntegralInRange(0, 8);
  for (int i = 0; i < pairs; ++i) {
    std::string word = in.ConsumeRandomLengthString(16);
    // The language table never holds an empty word to search for.
    if (word.empty()) continue;
    from.push_back(word);
    to.push_back(in.ConsumeRandomLengthString(16));
  }

  CheckNormalize(text);
  CheckCase(text);
  CheckWildFind(text, pattern, start);
  CheckWildFind(text, pattern, 0);
  CheckSwap(text, from, to);
  CheckCodepage(text);
  return 0;
}
