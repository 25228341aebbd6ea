// CProfileStream: reads the physical lines of a profile or language file,
// converted from UTF-8 where a line is UTF-8 and bounded in length, from the
// file read whole or kept in the cache, or (very large files) straight from
// the file.
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

std::size_t g_nMaxHeldFileBytes = kMaxHeldFileBytes;
// A young file is kept with its bytes beside its index, about four times its
// size in all; a larger one would not fit the cache.
constexpr std::size_t kMaxHeldYoungFileBytes = 8 << 20;
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

// Turns the raw bytes of a line (at most kMaxRawLineBytes; cut: the line
// went on) into what the reader delivers: converted, then cut to
// kMaxLineBytes.
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
  if (line.size() > kMaxLineBytes) {
    line.resize(kMaxLineBytes);
  }
}

// The lines of a whole file, as line-by-line reading delivers them, with
// their rows and index.
std::shared_ptr<const ProfileLines> BuildLines(std::string_view bytes) {
  auto lines = std::make_shared<ProfileLines>();
  std::string line;
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::string_view rest = bytes.substr(at);
    const auto* feed =
        static_cast<const char*>(std::memchr(rest.data(), '\n', rest.size()));
    const std::size_t length =
        feed != nullptr ? static_cast<std::size_t>(feed - rest.data())
                        : rest.size();
    line.assign(rest.substr(0, std::min(length, kMaxRawLineBytes)));
    FinishLine(line, length > kMaxRawLineBytes);
    lines->AddLine(line);
    at += length + 1;
  }
  // A last line without a line feed ends the file as it is read; after one
  // with a line feed, one more read finds only the end.
  lines->finalEmptyRead = bytes.empty() || bytes.back() == '\n';
  lines->SortHeaders();
  return lines;
}

// Reads fd from its start to its end into bytes; false when it holds more
// than limit bytes or a read fails.
bool ReadAllBytes(int fd, std::size_t sizeHint, std::size_t limit,
                  std::string& bytes) {
  bytes.resize(std::min(sizeHint, limit) + 1);
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (bytes.size() > limit) {
        return false;
      }
      bytes.resize(std::min(bytes.size() * 2, limit + 1));
    }
    const ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n < 0) {
      return false;
    }
    if (n == 0) {
      break;
    }
    filled += static_cast<std::size_t>(n);
  }
  bytes.resize(filled);
  return true;
}

}  // namespace

void CProfileStream::SetCacheMargin(std::chrono::nanoseconds margin) {
  SetProfileCacheMargin(margin);
}

void CProfileStream::ClearCache() { ClearProfileCache(); }

void CProfileStream::SetMaxHeldFileBytes(std::size_t bytes) {
  g_nMaxHeldFileBytes = bytes;
}

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
  CachedFile earlier;
  for (const std::string* name : {&utf8, &raw}) {
    if (name == &raw && raw == utf8) {
      break;
    }
    // Only regular files are opened at all: opening a device can have
    // effects of its own, and a FIFO would wait for a writer.
    if (::stat(name->c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
      continue;
    }
    // A file whose content is known is replayed without being opened.
    CachedFile cached = FindCachedFile(*name, FileKey(st), HasAged(st));
    if (cached.lines != nullptr) {
      m_lines = std::move(cached.lines);
      m_nNext = 0;
      m_nPattern = 0;
      m_bAtEnd = false;
      return true;
    }
    fd = OpenRegularFile(*name, st);
    if (fd >= 0) {
      earlier = std::move(cached);
      m_strPath = *name;
      break;
    }
  }
  if (fd < 0) {
    return false;
  }
  m_fd = fd;
  m_bAtEnd = false;
  m_bError = false;
  m_nBegin = m_nEnd = 0;
  m_nLinesRead = 0;
  // A young file is kept with its bytes beside its index; one too large for
  // the cache to keep is read line by line at every lookup instead.
  const bool aged = HasAged(st);
  const std::size_t limit =
      aged ? g_nMaxHeldFileBytes
           : std::min(g_nMaxHeldFileBytes, kMaxHeldYoungFileBytes);
  if (static_cast<std::size_t>(st.st_size) <= limit &&
      ReadWhole(st, aged, limit, earlier)) {
    return true;
  }
  m_buffer.resize(kReadChunk);
  return true;  // read straight from the file
}

bool CProfileStream::ReadWhole(const struct stat& st, bool aged,
                               std::size_t limit, const CachedFile& earlier) {
  // A young file is watched before it is read, so that a change made while
  // it is read, or any time later, is reported.
  const FileWatch watch = aged ? FileWatch{} : WatchFile(m_fd);
  auto bytes = std::make_shared<std::string>();
  if (!ReadAllBytes(m_fd, static_cast<std::size_t>(st.st_size), limit,
                    *bytes)) {
    DropWatch(watch);
    // Grown too large meanwhile, or unreadable: line by line from the start,
    // where a read error ends the file.
    if (::lseek(m_fd, 0, SEEK_SET) != 0) {
      m_bError = true;
      m_bAtEnd = true;
    }
    return false;
  }
  const bool reuse =
      earlier.earlierBytes != nullptr && *earlier.earlierBytes == *bytes;
  std::shared_ptr<const ProfileLines> lines =
      reuse ? earlier.earlierLines : BuildLines(*bytes);
  CountFileRead(!reuse);
  struct stat after {};
  if (::fstat(m_fd, &after) != 0) {
    DropWatch(watch);
  } else if (!aged) {
    StoreYoungFile(m_strPath, FileKey(after), lines, std::move(bytes), watch);
  } else if (FileKey(after) == FileKey(st)) {
    // Kept only when it did not change while it was read.
    StoreAgedFile(m_strPath, FileKey(st), lines);
  }
  ::close(m_fd);
  m_fd = -1;
  m_lines = std::move(lines);
  m_nNext = 0;
  m_nPattern = 0;
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
    const std::size_t room = kMaxRawLineBytes - line.size();
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
