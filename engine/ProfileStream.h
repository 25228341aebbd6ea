// CProfileStream: one pass over the physical lines of a profile or language
// file, as the block reader consumes them.
#pragma once

#include <fstream>
#include <string>
#include <string_view>

namespace pladdo {

// Longest physical line the reader keeps; the rest up to the line feed is
// skipped so that line numbers stay true.
inline constexpr std::size_t kMaxLineBytes = 1023;

class CProfileStream {
 public:
  // Opens path for reading. False for an empty path, a directory, or a file
  // that cannot be opened.
  bool Open(std::string_view path);
  void Close();
  bool IsOpen() const;

  // True once a read has found the end of the file (or a read error).
  bool AtEnd() const;

  // Reads the next physical line into line: at most kMaxLineBytes bytes, the
  // line feed excluded, converted from UTF-8 where it is valid UTF-8 with a
  // byte of 0x80 or more. Returns false (line empty) when the read found
  // only the end of the file or an error.
  bool ReadLine(std::string& line);

 private:
  std::ifstream m_file;
  bool m_bAtEnd = true;
};

}  // namespace pladdo
