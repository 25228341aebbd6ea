// CProfileStream: reads the physical lines of a profile or language file,
// bounded in length and converted from UTF-8 where a line is UTF-8, either
// straight from the file or replayed from the process-wide cache of files
// that have not changed.
#include "engine/ProfileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <utility>

#include "engine/Codepage.h"
#include "engine/TextUtil.h"

namespace pladdo {

// The lines of one file as the reader delivers them, and the rows the block
// reader makes of them, each kept back to back in one text.
struct CProfileStream::Lines {
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

  // Adds row i (just appended) to the pattern and header lists.
  void IndexRow(std::size_t i);
  // Sorts the headers for the lookup by name.
  void SortHeaders();
};

namespace {

// Files larger than this are always read straight from disk, so that a huge
// file never costs its size in memory.
constexpr off_t kMaxCachedFileBytes = 64 << 20;
// What the cache may hold in all, and in how many files.
constexpr std::size_t kCacheBudgetBytes = 32 << 20;
constexpr std::size_t kCacheMaxFiles = 64;
constexpr std::size_t kReadChunk = 64 * 1024;

std::int64_t Nanoseconds(const timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Everything about a file that a change to it changes.
struct FileKey {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  std::int64_t modified = 0;
  std::int64_t changed = 0;

  explicit FileKey(const struct stat& st)
      : device(st.st_dev),
        inode(st.st_ino),
        size(st.st_size),
        modified(Nanoseconds(st.st_mtim)),
        changed(Nanoseconds(st.st_ctim)) {}
  bool operator==(const FileKey&) const = default;
};

struct CacheEntry {
  FileKey key;
  std::shared_ptr<const CProfileStream::Lines> lines;
  std::uint64_t lastUse = 0;
};

struct Cache {
  std::mutex mutex;
  std::map<std::pair<dev_t, ino_t>, CacheEntry> entries;
  std::size_t bytes = 0;
  std::uint64_t clock = 0;
  std::int64_t marginNs = std::chrono::nanoseconds(kProfileCacheMargin).count();
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

// Opens path for reading without blocking and without taking a terminal;
// anything but a regular file (the path may have changed since it was looked
// at) is closed again at once. Returns the descriptor, or -1.
int OpenRegularFile(const std::string& path, struct stat& st) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    return -1;
  }
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// True when the file's last change lies more than the margin before now, so
// that any later change must give it other timestamps.
bool HasAged(const struct stat& st, std::int64_t marginNs) {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  const std::int64_t limit = Nanoseconds(now) - marginNs;
  return Nanoseconds(st.st_mtim) < limit && Nanoseconds(st.st_ctim) < limit;
}

std::shared_ptr<const CProfileStream::Lines> FindCached(const FileKey& key) {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  const auto it = cache.entries.find({key.device, key.inode});
  if (it == cache.entries.end()) {
    return nullptr;
  }
  if (!(it->second.key == key)) {
    cache.bytes -= it->second.lines->Bytes();
    cache.entries.erase(it);
    return nullptr;
  }
  it->second.lastUse = ++cache.clock;
  return it->second.lines;
}

void StoreCached(const FileKey& key,
                 std::shared_ptr<const CProfileStream::Lines> lines) {
  Cache& cache = TheCache();
  const std::size_t bytes = lines->Bytes();
  if (bytes > kCacheBudgetBytes) {
    return;
  }
  std::lock_guard lock(cache.mutex);
  const auto id = std::make_pair(key.device, key.inode);
  if (const auto old = cache.entries.find(id); old != cache.entries.end()) {
    cache.bytes -= old->second.lines->Bytes();
    cache.entries.erase(old);
  }
  // Make room by dropping the files least recently used.
  while (!cache.entries.empty() &&
         (cache.bytes + bytes > kCacheBudgetBytes ||
          cache.entries.size() >= kCacheMaxFiles)) {
    auto oldest = cache.entries.begin();
    for (auto it = cache.entries.begin(); it != cache.entries.end(); ++it) {
      if (it->second.lastUse < oldest->second.lastUse) {
        oldest = it;
      }
    }
    cache.bytes -= oldest->second.lines->Bytes();
    cache.entries.erase(oldest);
  }
  cache.entries.emplace(id, CacheEntry{key, std::move(lines), ++cache.clock});
  cache.bytes += bytes;
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

// The block reader's row of a line: cut at the first "#", normalised.
void MakeRow(std::string& row) {
  const std::size_t hash = row.find('#');
  if (hash != std::string::npos) {
    row.erase(hash);
  }
  NormalizeSpaces(row);
}

// The pattern of a row that begins with "?". The row is normalised: turning
// its "?" into a blank and normalising again only drops that blank and the
// one blank that may follow it.
std::string_view PatternOfRow(std::string_view row) {
  return row.substr(row.size() > 1 && row[1] == ' ' ? 2 : 1);
}

bool IsPlainPattern(std::string_view pattern) {
  return pattern.find_first_of("*?") == std::string_view::npos;
}

// The first byte of a lower-cased pattern that is no wildcard: a text that
// lacks it cannot hold a match. -1 when the pattern is wildcards only.
int RequiredByte(std::string_view lowered) {
  const std::size_t at = lowered.find_first_not_of("*?");
  return at == std::string_view::npos ? -1
                                      : static_cast<unsigned char>(lowered[at]);
}

bool CannotMatch(int required, const CProfileStream::ByteSet* textBytes) {
  return textBytes != nullptr && required >= 0 &&
         !(*textBytes)[static_cast<std::size_t>(required)];
}

void AppendLowered(std::string& to, std::string_view text) {
  for (const char c : text) {
    to += static_cast<char>(ToLowerByte(static_cast<unsigned char>(c)));
  }
}

}  // namespace

void CProfileStream::Lines::IndexRow(std::size_t i) {
  const std::string_view row = Row(i);
  if (row.empty()) {
    return;
  }
  if (row.front() == '?') {
    const std::string_view pattern = PatternOfRow(row);
    const std::size_t begin = patternText.size();
    AppendLowered(patternText, pattern);
    const std::string_view lowered =
        std::string_view(patternText).substr(begin);
    patterns.push_back({i, begin, pattern.size(), RequiredByte(lowered),
                        IsPlainPattern(pattern)});
  } else if (row.front() == '[') {
    // A row without "]" can begin no header: every header ends in one.
    const std::size_t close = row.find(']');
    if (close != std::string_view::npos) {
      headers.push_back({i, headerText.size(), close - 1});
      AppendLowered(headerText, row.substr(1, close - 1));
    }
  }
}

void CProfileStream::Lines::SortHeaders() {
  std::stable_sort(headers.begin(), headers.end(),
                   [this](const Header& a, const Header& b) {
                     return NameOf(a) < NameOf(b);
                   });
}

void CProfileStream::SetCacheMargin(std::chrono::nanoseconds margin) {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  cache.marginNs = margin.count();
}

void CProfileStream::ClearCache() {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  cache.entries.clear();
  cache.bytes = 0;
}

CProfileStream::~CProfileStream() { Close(); }

bool CProfileStream::Open(std::string_view path) {
  Close();
  if (path.empty()) {
    return false;
  }
  std::int64_t marginNs = 0;
  {
    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    marginNs = cache.marginNs;
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
    if (HasAged(st, marginNs)) {
      if (auto lines = FindCached(FileKey(st))) {
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
  if (!HasAged(st, marginNs) || st.st_size > kMaxCachedFileBytes) {
    return true;  // read straight from the file
  }

  // Read the whole file once, as the direct reader delivers it, and keep it
  // when the file did not change while it was read.
  const FileKey key(st);
  auto built = std::make_shared<Lines>();
  std::string line;
  for (;;) {
    if (!ReadDirect(line)) {
      built->finalEmptyRead = true;
      break;
    }
    built->text += line;
    built->ends.push_back(built->text.size());
    MakeRow(line);
    built->rows += line;
    built->rowEnds.push_back(built->rows.size());
    built->IndexRow(built->rowEnds.size() - 1);
    if (m_bAtEnd) {
      built->finalEmptyRead = false;
      break;
    }
  }
  built->SortHeaders();
  struct stat after {};
  if (!m_bError && ::fstat(m_fd, &after) == 0 && FileKey(after) == key) {
    StoreCached(key, built);
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
  m_bAtEnd = true;
}

bool CProfileStream::IsOpen() const { return m_fd >= 0 || m_lines != nullptr; }

bool CProfileStream::AtEnd() const { return m_bAtEnd; }

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
    const auto* feed = static_cast<const char*>(std::memchr(start, '\n', available));
    const std::size_t take = feed != nullptr ? static_cast<std::size_t>(feed - start) : available;
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
        const std::size_t skip = m_strRow.size() - PatternOfRow(m_strRow).size();
        m_strRow.erase(0, skip);
        ToLower(m_strRow);
        if (CannotMatch(RequiredByte(m_strRow), textBytes)) {
          continue;
        }
        pattern = m_strRow;
        plain = IsPlainPattern(pattern);
        return true;
      }
    }
    return false;
  }
  if (m_bAtEnd) {
    return false;
  }
  const std::vector<Lines::Pattern>& patterns = m_lines->patterns;
  while (m_nPattern < patterns.size() &&
         (patterns[m_nPattern].row < m_nNext ||
          CannotMatch(patterns[m_nPattern].required, textBytes))) {
    ++m_nPattern;
  }
  if (m_nPattern == patterns.size()) {
    PassAll();
    return false;
  }
  const Lines::Pattern& found = patterns[m_nPattern++];
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
  std::string lowered;
  AppendLowered(lowered, name);
  const Lines& lines = *m_lines;
  // Headers of one name stand in row order: the first at or after the
  // current row is the one a scan from here would meet.
  const std::string_view key = lowered;
  const std::size_t from = m_nNext;
  const auto it = std::lower_bound(
      lines.headers.begin(), lines.headers.end(), key,
      [&lines, from](const Lines::Header& h, std::string_view k) {
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
