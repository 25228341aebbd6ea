// Swedish alphabetical order over Windows-1252 names.
#include "engine/NameOrder.h"

#include <algorithm>

#include "engine/TextUtil.h"

namespace pladdo {
namespace {

// The letter a Windows-1252 byte sorts as, upper-cased: an accented letter
// as its base letter, Å Ä Ö after Z. Bytes that are no letters keep their
// value below every letter.
int PrimaryRank(unsigned char byte) {
  constexpr int kAfterZ = 'Z' + 1;
  const unsigned char upper = ToUpperByte(byte);
  if (upper >= 'A' && upper <= 'Z') {
    return 0x100 + upper;
  }
  switch (upper) {
    case 0xC5:  // Å
      return 0x100 + kAfterZ;
    case 0xC4:  // Ä
    case 0xC6:  // Æ
      return 0x100 + kAfterZ + 1;
    case 0xD6:  // Ö
    case 0xD8:  // Ø
      return 0x100 + kAfterZ + 2;
    case 0xC0:
    case 0xC1:
    case 0xC2:
    case 0xC3:  // À Á Â Ã
      return 0x100 + 'A';
    case 0xC7:  // Ç
      return 0x100 + 'C';
    case 0xD0:  // Ð
      return 0x100 + 'D';
    case 0xC8:
    case 0xC9:
    case 0xCA:
    case 0xCB:  // È É Ê Ë
      return 0x100 + 'E';
    case 0xCC:
    case 0xCD:
    case 0xCE:
    case 0xCF:  // Ì Í Î Ï
      return 0x100 + 'I';
    case 0xD1:  // Ñ
      return 0x100 + 'N';
    case 0xD2:
    case 0xD3:
    case 0xD4:
    case 0xD5:
    case 0x8C:  // Ò Ó Ô Õ Œ
      return 0x100 + 'O';
    case 0x8A:  // Š
      return 0x100 + 'S';
    case 0xD9:
    case 0xDA:
    case 0xDB:  // Ù Ú Û
      return 0x100 + 'U';
    case 0xDC:
    case 0xDD:
    case 0x9F:  // Ü Ý Ÿ
      return 0x100 + 'Y';
    case 0x8E:  // Ž
      return 0x100 + 'Z';
    case 0xDE:  // Þ sorts after every other letter
      return 0x100 + kAfterZ + 3;
    default:
      break;
  }
  // ß, and any byte that is no letter.
  return IsLetter(upper) ? 0x100 + 'S' : upper;
}

// Compares a and b rank by rank; the shorter of two equal beginnings first.
template <typename Rank>
int Compare(std::string_view a, std::string_view b, Rank rank) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const int left = rank(static_cast<unsigned char>(a[i]));
    const int right = rank(static_cast<unsigned char>(b[i]));
    if (left != right) {
      return left < right ? -1 : 1;
    }
  }
  if (a.size() != b.size()) {
    return a.size() < b.size() ? -1 : 1;
  }
  return 0;
}

}  // namespace

bool SwedishNameLess(std::string_view a, std::string_view b) {
  if (const int letters = Compare(a, b, PrimaryRank)) {
    return letters < 0;
  }
  // Same letters: the accents decide (the plain letter first), then case.
  if (const int accents = Compare(a, b, ToLowerByte)) {
    return accents < 0;
  }
  if (const int cases = Compare(
          a, b, [](unsigned char c) { return ToLowerByte(c) == c ? 0 : 1; })) {
    return cases < 0;
  }
  return a < b;
}

void SortSwedish(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) {
                     return SwedishNameLess(a, b);
                   });
}

}  // namespace pladdo
