// CProfileStream: one pass over the physical lines of a profile or language
// file, as the block reader consumes them.
//
// A file is read whole and its lines (and the rows, pattern rows and block
// headers the block reader looks for) are replayed from memory. What was
// read is kept in a process-wide cache (engine/ProfileCache.h) and handed
// out again while it is known to be the file's content, so an edited
// profile is still read anew at the very next lookup. A file read again
// whose bytes turn out unchanged reuses the index built before. Files too
// large to hold (over 64 MB, or 8 MB while they are young) are read line by
// line straight from disk at every lookup.
#pragma once

#include <bitset>
#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct stat;

namespace pladdo {

// Longest line the reader delivers, counted after a UTF-8 line is converted,
// so that a profile behaves alike in both encodings; the rest of the
// physical line is skipped so that line numbers stay true.
inline constexpr std::size_t kMaxLineBytes = 1023;
// Bytes of one physical line the reader looks at: enough for kMaxLineBytes
// characters in UTF-8 (three bytes at most each, in Windows-1252's range).
inline constexpr std::size_t kMaxRawLineBytes = 4 * kMaxLineBytes;

// Files larger than this are read line by line straight from disk, so that a
// huge file never costs its size in memory.
inline constexpr std::size_t kMaxHeldFileBytes = 64 << 20;

struct CachedFile;
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

  // Reads the next physical line into line, the line feed excluded:
  // converted from UTF-8 where it is valid UTF-8 with a byte of 0x80 or more
  // (of an over-long line, its first kMaxRawLineBytes bytes), then cut to at
  // most kMaxLineBytes bytes. Returns false (line empty) when the read found
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
  // Files larger than this are read line by line from disk
  // (kMaxHeldFileBytes unless changed); tests lower it to reach that path
  // with small files.
  static void SetMaxHeldFileBytes(std::size_t bytes);

 private:
  // Reads the open file whole into memory (aged: HasAged of st; at most limit
  // bytes) and replays it; false when it turned out too large to hold or
  // could not be read (it is then read line by line from its start).
  bool ReadWhole(const struct stat& st, bool aged, std::size_t limit,
                 const CachedFile& earlier);
  bool ReadDirect(std::string& line);
  // Replay: moves past row i, or past every row.
  void PassRow(std::size_t i);
  void PassAll();

  // Replaying a cached or fully read file.
  std::shared_ptr<const ProfileLines> m_lines;
  std::size_t m_nNext = 0;
  std::size_t m_nPattern = 0;  // first pattern row of m_lines not yet passed
  // The path the open file was found at, as the file system names it.
  std::string m_strPath;
  // Reading straight from the file (very large files).
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
