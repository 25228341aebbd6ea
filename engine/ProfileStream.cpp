// CProfileStream: reads the physical lines of a profile or language file,
// bounded in length and converted from UTF-8 where a line is UTF-8.
#include "engine/ProfileStream.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "engine/Codepage.h"

namespace pladdo {

namespace {

bool OpenRegular(std::ifstream& file, const std::string& path) {
  std::error_code error;
  // A directory opens for reading on Linux but reads fail: it is no profile.
  if (std::filesystem::is_directory(path, error)) {
    return false;
  }
  file.open(path, std::ios::in | std::ios::binary);
  return file.is_open();
}

// Length of line without an incomplete UTF-8 sequence at its end.
std::size_t WithoutCutSequence(const std::string& line) {
  std::size_t k = line.size();
  std::size_t continuation = 0;
  while (k > 0 && continuation < 3 &&
         (static_cast<unsigned char>(line[k - 1]) & 0xC0u) == 0x80u) {
    --k;
    ++continuation;
  }
  if (k == 0) {
    return line.size();
  }
  const auto lead = static_cast<unsigned char>(line[k - 1]);
  std::size_t needed = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    needed = 1;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    needed = 2;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    needed = 3;
  } else {
    return line.size();
  }
  return continuation < needed ? k - 1 : line.size();
}

}  // namespace

bool CProfileStream::Open(std::string_view path) {
  Close();
  if (path.empty()) {
    return false;
  }
  // Paths inside the engine are Windows-1252; the file system speaks UTF-8.
  // A name that is not text at all may still exist as raw bytes.
  const std::string utf8 = Cp1252ToUtf8(path);
  const std::string raw(path);
  if (!OpenRegular(m_file, utf8)) {
    m_file.clear();
    if (utf8 == raw || !OpenRegular(m_file, raw)) {
      m_file.clear();
      return false;
    }
  }
  m_bAtEnd = false;
  return true;
}

void CProfileStream::Close() {
  if (m_file.is_open()) {
    m_file.close();
  }
  m_file.clear();
  m_bAtEnd = true;
}

bool CProfileStream::IsOpen() const { return m_file.is_open(); }

bool CProfileStream::AtEnd() const { return m_bAtEnd; }

bool CProfileStream::ReadLine(std::string& line) {
  line.clear();
  if (m_bAtEnd || !m_file.is_open()) {
    m_bAtEnd = true;
    return false;
  }
  using Traits = std::ifstream::traits_type;
  std::streambuf* buffer = m_file.rdbuf();
  bool cut = false;
  bool failed = false;
  try {
    Traits::int_type c = buffer->sbumpc();
    if (Traits::eq_int_type(c, Traits::eof())) {
      m_bAtEnd = true;
      return false;
    }
    while (!Traits::eq_int_type(c, Traits::eof()) && c != '\n') {
      if (line.size() < kMaxLineBytes) {
        line.push_back(Traits::to_char_type(c));
      } else {
        cut = true;  // the rest of an over-long line is skipped
      }
      c = buffer->sbumpc();
    }
    if (Traits::eq_int_type(c, Traits::eof())) {
      m_bAtEnd = true;
    }
  } catch (const std::exception&) {
    // A read error ends the file as its end would.
    m_bAtEnd = true;
    failed = true;
  }
  if (failed && line.empty()) {
    return false;
  }
  if (cut) {
    // Cutting may split a UTF-8 character; when the line is UTF-8 before
    // that point, drop the stray part so that it still reads as UTF-8.
    const std::string_view kept(line.data(), WithoutCutSequence(line));
    if (kept.size() < line.size() && IsValidUtf8(kept)) {
      line.resize(kept.size());
    }
  }
  line = FileLineToCp1252(line);
  return true;
}

}  // namespace pladdo
