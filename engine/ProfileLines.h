// ProfileLines: the lines of one profile or language file as the reader
// delivers them, the rows the block reader makes of them, and an index of
// the pattern rows and block headers, so that a file held in memory is
// searched without passing over every row.
#pragma once

#include <bitset>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pladdo {

// The bytes that occur in a text.
using ByteSet = std::bitset<256>;

// The lines of one file as the reader delivers them, and the rows the block
// reader makes of them, each kept back to back in one text.
struct ProfileLines {
  std::string text;
  std::vector<std::size_t> ends;  // end of line i in text
  std::string rows;
  std::vector<std::size_t> rowEnds;
  // True when, after the last line, one more read finds only the end of the
  // file (the file ends with a line feed, or is empty).
  bool finalEmptyRead = true;

  // The rows that begin with "?", in file order, with their patterns as
  // ReadPattern gives them, kept back to back in patternText: the keyword
  // search tries them without passing over the other rows or copying.
  struct Pattern {
    std::size_t row;
    std::size_t begin;
    std::size_t length;
    int required;  // a byte every match needs (see RequiredByte), or -1
    bool plain;
  };
  std::vector<Pattern> patterns;
  std::string patternText;
  // The block headers, sorted by name (lower-cased, the text between "[" and
  // the first "]", kept in headerText) and then by row.
  struct Header {
    std::size_t row;
    std::size_t begin;
    std::size_t length;
  };
  std::vector<Header> headers;
  std::string headerText;

  std::string_view Line(std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends[i - 1];
    return std::string_view(text).substr(begin, ends[i] - begin);
  }
  std::string_view Row(std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : rowEnds[i - 1];
    return std::string_view(rows).substr(begin, rowEnds[i] - begin);
  }
  std::string_view PatternOf(const Pattern& p) const {
    return std::string_view(patternText).substr(p.begin, p.length);
  }
  std::string_view NameOf(const Header& h) const {
    return std::string_view(headerText).substr(h.begin, h.length);
  }
  std::size_t Bytes() const {
    return text.size() + rows.size() + patternText.size() + headerText.size() +
           (ends.size() + rowEnds.size()) * sizeof(std::size_t) +
           patterns.size() * sizeof(Pattern) + headers.size() * sizeof(Header);
  }

  // Appends one line as the reader delivered it, its row and its place in
  // the pattern and header lists.
  void AddLine(std::string_view line);
  // Sorts the headers for the lookup by name; call once after the last line.
  void SortHeaders();

 private:
  // Adds row i (just appended) to the pattern and header lists.
  void IndexRow(std::size_t i);
};

// The block reader's row of a line: cut at the first "#", normalised.
void MakeRow(std::string& row);

// The pattern of a normalised row that begins with "?".
std::string_view PatternOfRow(std::string_view row);

// Whether a pattern holds no wildcard.
bool IsPlainPattern(std::string_view pattern);

// The first byte of a lower-cased pattern that is no wildcard: a text that
// lacks it cannot hold a match. -1 when the pattern is wildcards only.
int RequiredByte(std::string_view lowered);

// True when a text of the bytes textBytes cannot match a pattern that needs
// the byte required (false without textBytes).
bool CannotMatch(int required, const ByteSet* textBytes);

}  // namespace pladdo
