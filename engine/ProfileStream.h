// CProfileStream: one pass over the physical lines of a profile or language
// file, as the block reader consumes them.
//
// A file whose last change lies safely in the past is read once and its
// lines (and the rows the block reader makes of them) are kept in a
// process-wide cache keyed by the file's device, inode, size and modification
// and change times in nanoseconds; later passes replay them from memory. Any
// change to the file changes that key, so an edited profile is still read
// anew at the very next lookup. A file changed too recently to tell apart
// from a change within the file system's timestamp granularity is read from
// disk every time until it has aged.
#pragma once

#include <bitset>
#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pladdo {

// Longest physical line the reader keeps; the rest up to the line feed is
// skipped so that line numbers stay true.
inline constexpr std::size_t kMaxLineBytes = 1023;

struct ProfileLines;

class CProfileStream {
 public:
  CProfileStream() = default;
  ~CProfileStream();
  CProfileStream(const CProfileStream&) = delete;
  CProfileStream& operator=(const CProfileStream&) = delete;

  // Opens path for reading. False for an empty path, a file that cannot be
  // opened, and anything that is not a regular file (a directory, a FIFO, a
  // device): those are refused without blocking.
  bool Open(std::string_view path);
  void Close();
  bool IsOpen() const;

  // True once a read has found the end of the file (or a read error).
  bool AtEnd() const;

  // How many physical lines have been read (or passed over) so far: the
  // line number of the row read last, counted as the checker counts.
  std::size_t LineNumber() const;
  // The row read last (by ReadRowView or ReadPattern) as the block reader
  // makes it: comment cut, normalised, case kept. Valid until the next read.
  std::string_view CurrentRow() const;

  // Reads the next physical line into line: at most kMaxLineBytes bytes, the
  // line feed excluded, converted from UTF-8 where it is valid UTF-8 with a
  // byte of 0x80 or more. Returns false (line empty) when the read found
  // only the end of the file or an error.
  bool ReadLine(std::string& line);

  // Reads the next physical line like ReadLine and gives it as the block
  // reader's row: cut at its first "#" and normalised (NormalizeSpaces),
  // possibly empty. The view stays valid until the next read or Close.
  bool ReadRowView(std::string_view& row);

  // The bytes that occur in a text.
  using ByteSet = std::bitset<256>;  // as ProfileLines.h's ByteSet

  // Reads on to the next row that begins with "?" and gives its pattern: the
  // row without the "?" and a blank after it, lower-cased (ToLower), which is
  // what normalising the row with its "?" turned into a blank gives. plain is
  // true when the pattern holds neither "*" nor "?". With textBytes (the
  // bytes of the lower-cased text to be searched), rows whose pattern holds a
  // byte other than "*" and "?" that the text lacks are passed over too: they
  // cannot match it. The rows passed over are not counted anywhere. False at
  // the end of the file. The view stays valid until the next read or Close.
  bool ReadPattern(std::string_view& pattern, bool& plain,
                   const ByteSet* textBytes = nullptr);

  // On a file held in memory: moves to the row after the first block header
  // at or after the current row whose text between its "[" and its first "]"
  // equals name, case ignored, and gives true; when there is none, moves to
  // the end of the file and gives false. Gives nothing (and does not move)
  // when the file is read straight from disk; the caller then scans.
  std::optional<bool> SeekHeader(std::string_view name);

  // The cache margin (kProfileCacheMargin of engine/ProfileCache.h unless
  // changed); tests shorten it to reach the cached path without waiting.
  static void SetCacheMargin(std::chrono::nanoseconds margin);
  // Forgets every cached file.
  static void ClearCache();

 private:
  bool ReadDirect(std::string& line);
  // Replay: moves past row i, or past every row.
  void PassRow(std::size_t i);
  void PassAll();

  // Replaying a cached or fully read file.
  std::shared_ptr<const ProfileLines> m_lines;
  std::size_t m_nNext = 0;
  std::size_t m_nPattern = 0;  // first pattern row of m_lines not yet passed
  // Reading straight from the file (recently changed or very large files).
  int m_fd = -1;
  std::vector<char> m_buffer;
  std::size_t m_nBegin = 0;
  std::size_t m_nEnd = 0;
  std::string m_strRow;          // the row of the last direct read
  std::string m_strPattern;      // its pattern, lower-cased, for ReadPattern
  std::size_t m_nLinesRead = 0;  // lines read straight from the file
  bool m_bError = false;         // a read failed (the file is not cached then)

  bool m_bAtEnd = true;
};

}  // namespace pladdo
