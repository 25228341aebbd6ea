// Text utilities shared by the engine and the profile tools: letter test,
// normalisation, Windows-1252 case mapping, the wildcard search and the
// whole-word swap. All work on Windows-1252 bytes and hold no state.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pladdo {

// The position every search returns when it finds nothing.
inline constexpr std::size_t npos = std::string::npos;

// True for the letters of Windows-1252: A-Z, a-z, 0xC0-0xFF except 0xD7 and
// 0xF7, and the single bytes 0x8A, 0x8E, 0x9C, 0x9E, 0x9F, 0xA5.
bool IsLetter(unsigned char byte);
inline bool IsLetter(char byte) {
  return IsLetter(static_cast<unsigned char>(byte));
}

// Turns every byte below 0x20, 0x80-0x90 and 0x98-0x9F into a blank.
void BlankControlCodes(std::string& text);

// Blanks control codes, folds runs of blanks into one and removes a blank at
// either end.
void NormalizeSpaces(std::string& text);

// text without the white space (blank, tab, CR, LF, VT, FF) at either end.
std::string_view TrimWhiteSpace(std::string_view text);

// Line ends: every LF becomes CR LF (ToCrLf), every CR LF becomes LF (ToLf).
// Multi-line texts are built with LF; the conversation view holds CR LF.
std::string ToCrLf(std::string_view text);
std::string ToLf(std::string_view text);

// Windows-1252 case mapping of every byte (A-Z, À-Þ without ×, Š Œ Ž Ÿ).
void ToLower(std::string& text);
void ToUpper(std::string& text);
unsigned char ToLowerByte(unsigned char byte);
unsigned char ToUpperByte(unsigned char byte);

// Searches pattern in text from start, ignoring case. "*" separates pieces
// that must occur in order, "?" stands for any one byte. Returns where the
// match begins and stores the position of its last byte in *end (when end is
// not null); npos when there is no match. An empty pattern matches at start
// with *end = start - 1.
std::size_t WildFind(std::string_view text, std::string_view pattern,
                     std::size_t* end, std::size_t start);

// WildFind for a text and a pattern that are lower-cased already (ToLower
// leaves them as they are): the same result, without copying either.
std::size_t WildFindLowered(std::string_view text, std::string_view pattern,
                            std::size_t* end, std::size_t start);

// The keyword rule: whether a lower-cased pattern (the text of a pattern row
// after its "?") matches searchText, a blank followed by the lower-cased
// input, as a whole word or phrase. The pattern is searched with WildFind's
// rules (plain: it holds neither "*" nor "?", so a plain substring search
// gives the same place); only the place found is tested, and it must have no
// letter right before or right after it. Returns the position right after the
// match (0 for the empty pattern), or npos. Inline: the keyword scan calls
// it for every pattern row it tries.
inline std::size_t MatchKeyword(std::string_view searchText,
                                std::string_view pattern, bool plain) {
  std::size_t end = 0;
  std::size_t pos = npos;
  if (plain) {
    pos = searchText.find(pattern);
    end = pos + pattern.size() - 1;  // wraps to npos for an empty pattern
  } else {
    pos = WildFindLowered(searchText, pattern, &end, 0);
  }
  if (pos == npos) {
    return npos;
  }
  // end + 1 wraps to 0 for an empty pattern, which matched at 0.
  const std::size_t after = end + 1;
  const bool letterAfter =
      after < searchText.size() && IsLetter(searchText[after]);
  const bool letterBefore = pos > 0 && IsLetter(searchText[pos - 1]);
  return letterAfter || letterBefore ? npos : after;
}

// Replaces whole words of text (case ignored) by their partners: entry i of
// from by entry i of to, leftmost first, never re-scanning swapped-in text.
void SwapWords(std::string& text, const std::vector<std::string>& from,
               const std::vector<std::string>& to);

}  // namespace pladdo
