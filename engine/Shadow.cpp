// Shadowed pattern rows: the proof that an earlier pattern takes every input
// of a later one, and the index that finds the earlier rows worth trying.
#include "engine/Shadow.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "engine/TextUtil.h"

namespace pladdo {
namespace {

using Pieces = std::vector<std::string_view>;

// The pieces WildFind searches for: the parts between the "*", without the
// empty ones that "*" at the ends and "**" leave.
Pieces SplitPieces(std::string_view pattern) {
  Pieces pieces;
  std::size_t start = 0;
  for (;;) {
    const std::size_t star = pattern.find('*', start);
    const std::size_t stop = star == npos ? pattern.size() : star;
    if (stop > start) {
      pieces.push_back(pattern.substr(start, stop - start));
    }
    if (star == npos) {
      return pieces;
    }
    start = star + 1;
  }
}

bool IsAllWild(std::string_view piece) {
  return piece.find_first_not_of('?') == npos;
}

// A byte of the later pattern that is sure to be no letter in every text it
// matches: a literal byte (not "?") that is no letter.
bool SureNonLetter(char byte) { return byte != '?' && !IsLetter(byte); }

enum class Fit { Impossible, Possible, Certain };

// How piece (of the earlier pattern) fits at place r of target (a piece of
// the later pattern's match): Certain when every byte is sure to match,
// Impossible when one is sure not to, Possible otherwise. A "?" of the piece
// matches any byte; a "?" of the target is an unknown byte. Past the end of
// the target the bytes are unknown, except that right after the last piece
// of the match stands a non-letter (or nothing).
Fit FitAt(std::string_view piece, std::string_view target, std::size_t r,
          bool lastOfMatch) {
  Fit fit = Fit::Certain;
  for (std::size_t o = 0; o < piece.size(); ++o) {
    const char a = piece[o];
    const std::size_t at = r + o;
    if (at >= target.size()) {
      if (lastOfMatch && a != '?' && IsLetter(a)) {
        return Fit::Impossible;
      }
      return Fit::Possible;
    }
    const char b = target[at];
    if (a == '?') {
      continue;
    }
    if (b == '?') {
      fit = Fit::Possible;
    } else if (a != b) {
      return Fit::Impossible;
    }
  }
  return fit;
}

// Places piece as WildFind does, at the first place from place q of the
// later pattern's piece i on. True when that place is certain; i and q then
// tell where the piece ends (q right after it).
bool PlacePiece(std::string_view piece, const Pieces& b, std::size_t& i,
                std::size_t& q) {
  const std::size_t last = b.size() - 1;
  for (std::size_t r = q; r < b[i].size(); ++r) {
    const Fit fit = FitAt(piece, b[i], r, i == last);
    if (fit == Fit::Impossible) {
      continue;
    }
    if (fit == Fit::Possible) {
      return false;  // an unknown byte might make this the place
    }
    q = r + piece.size();
    return true;
  }
  // The search goes on into the text between this piece of the later match
  // and the next, which can hold anything. The later pattern's own search put
  // its next piece at the first place it occurs there, so a piece equal to
  // that one cannot occur earlier and lands where it stands; any other piece
  // might land in between.
  if (i == last || piece != b[i + 1]) {
    return false;
  }
  ++i;
  q = b[i].size();
  return true;
}

// Places the earlier pattern's pieces from j on, each at the first place
// after the one before, which ended right before place q of the later
// pattern's piece i. True when every piece lands for certain and the last one
// is followed by a sure non-letter.
bool PlaceRest(const Pieces& a, std::size_t j, const Pieces& b, std::size_t i,
               std::size_t q) {
  for (; j < a.size(); ++j) {
    if (!PlacePiece(a[j], b, i, q)) {
      return false;
    }
  }
  if (q < b[i].size()) {
    return SureNonLetter(b[i][q]);
  }
  return i == b.size() - 1;  // the end of the match: a non-letter follows
}

// The longest run of bytes other than "?" in the pieces: every proof finds
// it among the literal bytes of the later pattern.
std::string_view LongestLiteralRun(const Pieces& pieces) {
  std::string_view longest;
  for (const std::string_view piece : pieces) {
    std::size_t start = 0;
    while (start < piece.size()) {
      const std::size_t stop = std::min(piece.find('?', start), piece.size());
      if (stop - start > longest.size()) {
        longest = piece.substr(start, stop - start);
      }
      start = stop + 1;
    }
  }
  return longest;
}

// FNV-1a, extended one byte at a time, so that every prefix of a run is
// hashed in one pass.
constexpr std::uint64_t kHashSeed = 14695981039346656037ull;
std::uint64_t HashStep(std::uint64_t hash, char byte) {
  return (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
}

std::string Form(const Pieces& pieces) {
  std::string form;
  for (const std::string_view piece : pieces) {
    form += piece;
    form += '*';
  }
  return form;
}

}  // namespace

bool PatternCovers(std::string_view earlier, std::string_view later) {
  const Pieces a = SplitPieces(earlier);
  if (a.empty()) {
    return true;  // the empty pattern matches at the start of every text
  }
  const Pieces b = SplitPieces(later);
  if (a == b) {
    return true;
  }
  // A first piece of "?" only is found at the very start of every text, not
  // in the later pattern's match: nothing can be proven about it.
  if (b.empty() || IsAllWild(a.front())) {
    return false;
  }
  // The first piece where WildFind puts it when the text before the later
  // match does not hold it: at its first place in that match. Before the
  // match stands a non-letter; before any other piece of it, unknown text.
  const std::string_view first = a.front();
  std::size_t i = 0;
  std::size_t q = 0;
  if (!PlacePiece(first, b, i, q)) {
    return false;
  }
  const std::size_t r = q - first.size();
  const bool clearBefore = r > 0 ? SureNonLetter(b[i][r - 1]) : i == 0;
  return clearBefore && PlaceRest(a, 1, b, i, q);
}

std::vector<int> FindShadowingRows(
    const std::vector<std::string_view>& patterns) {
  const std::size_t count = patterns.size();
  std::vector<int> shadowing(count, -1);
  int firstEmpty = -1;
  std::unordered_map<std::string, int> firstOfForm;
  std::unordered_map<std::uint64_t, std::vector<int>> byKey;
  std::vector<bool> keyLengths;
  std::size_t longestKey = 0;
  std::vector<int> candidates;
  std::vector<std::size_t> stamp(count, count);

  for (std::size_t k = 0; k < count; ++k) {
    const Pieces pieces = SplitPieces(patterns[k]);
    std::string form = Form(pieces);
    int best = firstEmpty;
    if (const auto same = firstOfForm.find(form);
        same != firstOfForm.end() && (best < 0 || same->second < best)) {
      best = same->second;
    }

    // Earlier rows whose key occurs among this row's literal bytes.
    candidates.clear();
    for (const std::string_view piece : pieces) {
      for (std::size_t p = 0; p < piece.size(); ++p) {
        std::uint64_t hash = kHashSeed;
        for (std::size_t length = 1;
             length <= longestKey && p + length <= piece.size() &&
             piece[p + length - 1] != '?';
             ++length) {
          hash = HashStep(hash, piece[p + length - 1]);
          if (!keyLengths[length]) {
            continue;
          }
          const auto found = byKey.find(hash);
          if (found == byKey.end()) {
            continue;
          }
          for (const int index : found->second) {
            if (stamp[static_cast<std::size_t>(index)] != k) {
              stamp[static_cast<std::size_t>(index)] = k;
              candidates.push_back(index);
            }
          }
        }
      }
    }
    std::sort(candidates.begin(), candidates.end());
    for (const int index : candidates) {
      if (best >= 0 && index >= best) {
        break;
      }
      if (PatternCovers(patterns[static_cast<std::size_t>(index)],
                        patterns[k])) {
        best = index;
        break;
      }
    }
    shadowing[k] = best;

    // This row as a candidate for the rows after it.
    const int self = static_cast<int>(k);
    if (pieces.empty()) {
      if (firstEmpty < 0) {
        firstEmpty = self;
      }
      continue;
    }
    firstOfForm.emplace(std::move(form), self);
    if (IsAllWild(pieces.front())) {
      continue;  // it covers only rows of its own form
    }
    const std::string_view key = LongestLiteralRun(pieces);
    std::uint64_t hash = kHashSeed;
    for (const char c : key) {
      hash = HashStep(hash, c);
    }
    byKey[hash].push_back(self);
    if (keyLengths.size() <= key.size()) {
      keyLengths.resize(key.size() + 1, false);
    }
    keyLengths[key.size()] = true;
    longestKey = std::max(longestKey, key.size());
  }
  return shadowing;
}

}  // namespace pladdo
