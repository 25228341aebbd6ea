// CProfileStream: reads the physical lines of a profile or language file,
// bounded in length and converted from UTF-8 where a line is UTF-8, either
// straight from the file or replayed from the cache of files that have not
// changed.
#include "engine/ProfileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "engine/Codepage.h"
#include "engine/ProfileCache.h"
#include "engine/TextUtil.h"

namespace pladdo {
namespace {

// Files larger than this are always read straight from disk, so that a huge
// file never costs its size in memory.
constexpr off_t kMaxCachedFileBytes = 64 << 20;
constexpr std::size_t kReadChunk = 64 * 1024;

// Opens path for reading without blocking and without taking a terminal;
// anything but a regular file (the path may have changed since it was looked
// at) is closed again at once. Returns the descriptor, or -1.
int OpenRegularFile(const std::string& path, struct stat& st) {
  const int fd =
      ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    return -1;
  }
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
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

// Turns the raw bytes of a line into what the reader delivers.
void FinishLine(std::string& line, bool cut) {
  if (cut) {
    // Cutting may split a UTF-8 character; when the line is UTF-8 before
    // that point, drop the stray part so that it still reads as UTF-8.
    const std::string_view kept(line.data(), WithoutCutSequence(line));
    if (kept.size() < line.size() && IsValidUtf8(kept)) {
      line.resize(kept.size());
    }
  }
  if (HasHighBytes(line)) {
    line = FileLineToCp1252(line);
  }
}

}  // namespace

void CProfileStream::SetCacheMargin(std::chrono::nanoseconds margin) {
  SetProfileCacheMargin(margin);
}

void CProfileStream::ClearCache() { ClearProfileCache(); }

CProfileStream::~CProfileStream() { Close(); }

bool CProfileStream::Open(std::string_view path) {
  Close();
  if (path.empty()) {
    return false;
  }
  // Paths inside the engine are Windows-1252; the file system speaks UTF-8.
  // A name that is not text at all may still exist as raw bytes.
  const std::string utf8 = Cp1252ToUtf8(path);
  const std::string raw(path);
  struct stat st {};
  int fd = -1;
  for (const std::string* name : {&utf8, &raw}) {
    if (name == &raw && raw == utf8) {
      break;
    }
    // Only regular files are opened at all: opening a device can have
    // effects of its own, and a FIFO would wait for a writer.
    if (::stat(name->c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
      continue;
    }
    // An unchanged file is replayed from the cache without being opened.
    if (HasAged(st)) {
      if (auto lines = FindCachedLines(FileKey(st))) {
        m_lines = std::move(lines);
        m_nNext = 0;
        m_nPattern = 0;
        m_bAtEnd = false;
        return true;
      }
    }
    fd = OpenRegularFile(*name, st);
    if (fd >= 0) {
      break;
    }
  }
  if (fd < 0) {
    return false;
  }
  m_fd = fd;
  m_bAtEnd = false;
  m_bError = false;
  m_buffer.resize(kReadChunk);
  m_nBegin = m_nEnd = 0;
  m_nLinesRead = 0;
  if (!HasAged(st) || st.st_size > kMaxCachedFileBytes) {
    return true;  // read straight from the file
  }

  // Read the whole file once, as the direct reader delivers it, and keep it
  // when the file did not change while it was read.
  const FileKey key(st);
  auto built = std::make_shared<ProfileLines>();
  std::string line;
  for (;;) {
    if (!ReadDirect(line)) {
      built->finalEmptyRead = true;
      break;
    }
    built->AddLine(line);
    if (m_bAtEnd) {
      built->finalEmptyRead = false;
      break;
    }
  }
  built->SortHeaders();
  struct stat after {};
  if (!m_bError && ::fstat(m_fd, &after) == 0 && FileKey(after) == key) {
    StoreCachedLines(key, built);
  }
  ::close(m_fd);
  m_fd = -1;
  m_buffer.clear();
  m_lines = std::move(built);
  m_nNext = 0;
  m_nPattern = 0;
  m_bAtEnd = false;
  return true;
}

void CProfileStream::Close() {
  if (m_fd >= 0) {
    ::close(m_fd);
    m_fd = -1;
  }
  m_lines.reset();
  m_nNext = m_nPattern = 0;
  m_nBegin = m_nEnd = 0;
  m_nLinesRead = 0;
  m_bAtEnd = true;
}

bool CProfileStream::IsOpen() const { return m_fd >= 0 || m_lines != nullptr; }

bool CProfileStream::AtEnd() const { return m_bAtEnd; }

std::size_t CProfileStream::LineNumber() const {
  return m_lines != nullptr ? m_nNext : m_nLinesRead;
}

std::string_view CProfileStream::CurrentRow() const {
  if (m_lines != nullptr) {
    return m_nNext > 0 ? m_lines->Row(m_nNext - 1) : std::string_view();
  }
  return m_strRow;
}

bool CProfileStream::ReadDirect(std::string& line) {
  line.clear();
  if (m_bAtEnd || m_fd < 0) {
    m_bAtEnd = true;
    return false;
  }
  bool consumed = false;
  bool cut = false;
  for (;;) {
    if (m_nBegin == m_nEnd) {
      ssize_t n = 0;
      do {
        n = ::read(m_fd, m_buffer.data(), m_buffer.size());
      } while (n < 0 && errno == EINTR);
      if (n <= 0) {
        // The end of the file, or a read error, which ends it the same way.
        m_bError = m_bError || n < 0;
        m_bAtEnd = true;
        if (!consumed) {
          return false;
        }
        break;
      }
      m_nBegin = 0;
      m_nEnd = static_cast<std::size_t>(n);
    }
    consumed = true;
    const char* start = m_buffer.data() + m_nBegin;
    const std::size_t available = m_nEnd - m_nBegin;
    const auto* feed =
        static_cast<const char*>(std::memchr(start, '\n', available));
    const std::size_t take =
        feed != nullptr ? static_cast<std::size_t>(feed - start) : available;
    const std::size_t room = kMaxLineBytes - line.size();
    line.append(start, std::min(room, take));
    if (take > room) {
      cut = true;  // the rest of an over-long line is skipped
    }
    if (feed != nullptr) {
      m_nBegin += take + 1;
      break;
    }
    m_nBegin = m_nEnd;
  }
  FinishLine(line, cut);
  ++m_nLinesRead;
  return true;
}

void CProfileStream::PassRow(std::size_t i) {
  m_nNext = i + 1;
  // As ReadLine: the last line of a file without a final line feed ends it.
  if (m_nNext == m_lines->ends.size() && !m_lines->finalEmptyRead) {
    m_bAtEnd = true;
  }
}

void CProfileStream::PassAll() {
  m_nNext = m_lines->ends.size();
  m_bAtEnd = true;
}

bool CProfileStream::ReadLine(std::string& line) {
  if (m_lines == nullptr) {
    return ReadDirect(line);
  }
  line.clear();
  if (m_bAtEnd || m_nNext >= m_lines->ends.size()) {
    m_bAtEnd = true;
    return false;
  }
  line.assign(m_lines->Line(m_nNext));
  ++m_nNext;
  if (m_nNext == m_lines->ends.size() && !m_lines->finalEmptyRead) {
    m_bAtEnd = true;
  }
  return true;
}

bool CProfileStream::ReadRowView(std::string_view& row) {
  if (m_lines == nullptr) {
    const bool read = ReadDirect(m_strRow);
    MakeRow(m_strRow);
    row = m_strRow;
    return read;
  }
  row = {};
  if (m_bAtEnd || m_nNext >= m_lines->ends.size()) {
    m_bAtEnd = true;
    return false;
  }
  row = m_lines->Row(m_nNext);
  ++m_nNext;
  if (m_nNext == m_lines->ends.size() && !m_lines->finalEmptyRead) {
    m_bAtEnd = true;
  }
  return true;
}

bool CProfileStream::ReadPattern(std::string_view& pattern, bool& plain,
                                 const ByteSet* textBytes) {
  pattern = {};
  plain = true;
  if (m_lines == nullptr) {
    while (!m_bAtEnd) {
      ReadDirect(m_strRow);
      MakeRow(m_strRow);
      if (!m_strRow.empty() && m_strRow.front() == '?') {
        // The row stays as read (CurrentRow); its pattern is lowered apart.
        m_strPattern = PatternOfRow(m_strRow);
        ToLower(m_strPattern);
        if (CannotMatch(RequiredByte(m_strPattern), textBytes)) {
          continue;
        }
        pattern = m_strPattern;
        plain = IsPlainPattern(pattern);
        return true;
      }
    }
    return false;
  }
  if (m_bAtEnd) {
    return false;
  }
  const std::vector<ProfileLines::Pattern>& patterns = m_lines->patterns;
  while (m_nPattern < patterns.size() &&
         (patterns[m_nPattern].row < m_nNext ||
          CannotMatch(patterns[m_nPattern].required, textBytes))) {
    ++m_nPattern;
  }
  if (m_nPattern == patterns.size()) {
    PassAll();
    return false;
  }
  const ProfileLines::Pattern& found = patterns[m_nPattern++];
  PassRow(found.row);
  pattern = m_lines->PatternOf(found);
  plain = found.plain;
  return true;
}

std::optional<bool> CProfileStream::SeekHeader(std::string_view name) {
  if (m_lines == nullptr) {
    return std::nullopt;
  }
  if (m_bAtEnd) {
    return false;
  }
  std::string lowered(name);
  ToLower(lowered);
  const ProfileLines& lines = *m_lines;
  // Headers of one name stand in row order: the first at or after the
  // current row is the one a scan from here would meet.
  const std::string_view key = lowered;
  const std::size_t from = m_nNext;
  const auto it = std::lower_bound(
      lines.headers.begin(), lines.headers.end(), key,
      [&lines, from](const ProfileLines::Header& h, std::string_view k) {
        const std::string_view n = lines.NameOf(h);
        return n < k || (n == k && h.row < from);
      });
  if (it != lines.headers.end() && lines.NameOf(*it) == key) {
    PassRow(it->row);
    return true;
  }
  PassAll();
  return false;
}

}  // namespace pladdo
