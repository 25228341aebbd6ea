// Text utilities on Windows-1252 bytes: letters, normalisation, case mapping,
// the wildcard search and the whole-word swap.
#include "engine/TextUtil.h"

#include <algorithm>
#include <deque>

namespace pladdo {

bool IsLetter(unsigned char byte) {
  if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')) {
    return true;
  }
  if (byte >= 0xC0) {
    return byte != 0xD7 && byte != 0xF7;
  }
  switch (byte) {
    case 0x8A:
    case 0x8E:
    case 0x9C:
    case 0x9E:
    case 0x9F:
    case 0xA5:
      return true;
    default:
      return false;
  }
}

namespace {

bool IsControlCode(unsigned char byte) {
  return byte < 0x20 || (byte >= 0x80 && byte <= 0x90) ||
         (byte >= 0x98 && byte <= 0x9F);
}

}  // namespace

void BlankControlCodes(std::string& text) {
  for (char& c : text) {
    if (IsControlCode(static_cast<unsigned char>(c))) {
      c = ' ';
    }
  }
}

void NormalizeSpaces(std::string& text) {
  // One pass that gives what blanking, folding pairs of blanks until none is
  // left, and trimming one blank at each end would give.
  std::size_t out = 0;
  bool pendingBlank = false;
  for (char c : text) {
    if (c == ' ' || IsControlCode(static_cast<unsigned char>(c))) {
      pendingBlank = true;
      continue;
    }
    if (pendingBlank && out > 0) {
      text[out++] = ' ';
    }
    pendingBlank = false;
    text[out++] = c;
  }
  text.resize(out);
}

unsigned char ToLowerByte(unsigned char byte) {
  if (byte >= 'A' && byte <= 'Z') {
    return static_cast<unsigned char>(byte + 0x20);
  }
  if (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7) {
    return static_cast<unsigned char>(byte + 0x20);
  }
  switch (byte) {
    case 0x8A:  // Š
      return 0x9A;
    case 0x8C:  // Œ
      return 0x9C;
    case 0x8E:  // Ž
      return 0x9E;
    case 0x9F:  // Ÿ
      return 0xFF;
    default:
      return byte;
  }
}

unsigned char ToUpperByte(unsigned char byte) {
  if (byte >= 'a' && byte <= 'z') {
    return static_cast<unsigned char>(byte - 0x20);
  }
  if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) {
    return static_cast<unsigned char>(byte - 0x20);
  }
  switch (byte) {
    case 0x9A:  // š
      return 0x8A;
    case 0x9C:  // œ
      return 0x8C;
    case 0x9E:  // ž
      return 0x8E;
    case 0xFF:  // ÿ
      return 0x9F;
    default:
      return byte;
  }
}

std::string_view TrimWhiteSpace(std::string_view text) {
  constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";
  const std::size_t first = text.find_first_not_of(kWhiteSpace);
  if (first == std::string_view::npos) {
    return {};
  }
  const std::size_t last = text.find_last_not_of(kWhiteSpace);
  return text.substr(first, last - first + 1);
}

std::string ToCrLf(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / 16);
  for (const char c : text) {
    if (c == '\n') {
      result += '\r';
    }
    result += c;
  }
  return result;
}

std::string ToLf(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      continue;
    }
    result += text[i];
  }
  return result;
}

void ToLower(std::string& text) {
  for (char& c : text) {
    c = static_cast<char>(ToLowerByte(static_cast<unsigned char>(c)));
  }
}

void ToUpper(std::string& text) {
  for (char& c : text) {
    c = static_cast<char>(ToUpperByte(static_cast<unsigned char>(c)));
  }
}

namespace {

// Leftmost place at or after start where piece matches text ("?" in the piece
// matches any byte); both are already lower-cased.
std::size_t FindPiece(std::string_view text, std::string_view piece,
                      std::size_t start) {
  if (text.size() < piece.size()) {
    return npos;
  }
  const std::size_t last = text.size() - piece.size();
  if (start > last) {
    return npos;
  }
  // Candidates are the places of the piece's first byte that is not "?",
  // found with memchr (through find) instead of trying every place.
  const std::size_t k = piece.find_first_not_of('?');
  if (k == std::string_view::npos) {
    return start;  // "?" only (or nothing): any place long enough matches
  }
  if (piece.find('?') == std::string_view::npos) {
    return text.find(piece, start);
  }
  const char key = piece[k];
  for (std::size_t pos = start; pos <= last; ++pos) {
    const std::size_t at = text.find(key, pos + k);
    if (at == std::string_view::npos || at - k > last) {
      return npos;
    }
    pos = at - k;
    std::size_t j = 0;
    while (j < piece.size() && (piece[j] == '?' || piece[j] == text[pos + j])) {
      ++j;
    }
    if (j == piece.size()) {
      return pos;
    }
  }
  return npos;
}

std::string_view StripStars(std::string_view pattern) {
  while (!pattern.empty() && pattern.front() == '*') {
    pattern.remove_prefix(1);
  }
  while (!pattern.empty() && pattern.back() == '*') {
    pattern.remove_suffix(1);
  }
  return pattern;
}

}  // namespace

std::size_t WildFind(std::string_view text, std::string_view pattern,
                     std::size_t* end, std::size_t start) {
  std::string lowText(text);
  std::string lowPattern(pattern);
  ToLower(lowText);
  ToLower(lowPattern);
  return WildFindLowered(lowText, lowPattern, end, start);
}

std::size_t WildFindLowered(std::string_view text, std::string_view pattern,
                            std::size_t* end, std::size_t start) {
  // Each piece is matched at its leftmost place after the previous one; a
  // later place is never tried instead, so no backtracking is needed.
  std::string_view rest = StripStars(pattern);
  std::size_t from = start;
  std::size_t first = npos;
  for (;;) {
    const std::size_t star = rest.find('*');
    const std::string_view piece = rest.substr(0, star);
    const std::size_t pos = FindPiece(text, piece, from);
    if (pos == npos) {
      return npos;
    }
    if (first == npos) {
      first = pos;
    }
    if (star == std::string_view::npos) {
      if (end != nullptr) {
        *end = pos + piece.size() - 1;  // wraps to npos for an empty pattern
      }
      return first;
    }
    from = pos + piece.size();
    rest = StripStars(rest.substr(star + 1));
  }
}

void SwapWords(std::string& text, const std::vector<std::string>& from,
               const std::vector<std::string>& to) {
  const std::size_t count = std::min(from.size(), to.size());
  if (count == 0) {
    return;
  }
  // The words still searched for, as indexes in table order (the lower index
  // wins a tie), with their lower-cased forms. Only words that hold a capital
  // need a lower-cased copy; a table of 100,000 pairs is not copied per call.
  std::vector<std::size_t> live;
  live.reserve(count);
  std::vector<std::string_view> lowWords(count);
  std::deque<std::string> lowered;
  for (std::size_t i = 0; i < count; ++i) {
    // An empty word would be found at every position and be swapped in
    // forever; it can never be a whole word, so it takes no part.
    if (from[i].empty()) {
      continue;
    }
    std::string low = from[i];
    ToLower(low);
    if (low == from[i]) {
      lowWords[i] = from[i];
    } else {
      lowWords[i] = lowered.emplace_back(std::move(low));
    }
    live.push_back(i);
  }
  std::string lower = text;
  ToLower(lower);

  std::size_t p0 = 0;
  std::vector<std::size_t> next;
  next.reserve(live.size());
  for (;;) {
    std::size_t best = npos;
    std::size_t bestIndex = 0;
    next.clear();
    for (const std::size_t i : live) {
      const std::string_view word = lowWords[i];
      const std::size_t q = lower.find(word, p0);
      if (q == std::string::npos) {
        // Not found after p0 now, so never again: drop it from the search.
        // Dropping by not copying keeps each pass linear in the words left.
        continue;
      }
      next.push_back(i);
      const std::size_t after = q + word.size();
      const bool letterBefore = q > 0 && IsLetter(text[q - 1]);
      const bool letterAfter = after < text.size() && IsLetter(text[after]);
      if (!letterBefore && !letterAfter && (best == npos || q < best)) {
        best = q;
        bestIndex = i;
      }
    }
    live.swap(next);
    if (best == npos) {
      return;
    }
    const std::size_t length = lowWords[bestIndex].size();
    const std::string& replacement = to[bestIndex];
    text.replace(best, length, replacement);
    lower.replace(best, length, replacement);
    p0 = best + replacement.size();
  }
}

}  // namespace pladdo
