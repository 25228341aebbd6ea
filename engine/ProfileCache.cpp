// The cache of unchanged profile files, shared by every stream.
#include "engine/ProfileCache.h"

#include <ctime>
#include <map>
#include <mutex>
#include <utility>

namespace pladdo {
namespace {

// What the cache may hold in all, and in how many files.
constexpr std::size_t kCacheBudgetBytes = 32 << 20;
constexpr std::size_t kCacheMaxFiles = 64;

std::int64_t Nanoseconds(const timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

struct CacheEntry {
  FileKey key;
  std::shared_ptr<const ProfileLines> lines;
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

}  // namespace

FileKey::FileKey(const struct stat& st)
    : device(st.st_dev),
      inode(st.st_ino),
      size(st.st_size),
      modified(Nanoseconds(st.st_mtim)),
      changed(Nanoseconds(st.st_ctim)) {}

bool HasAged(const struct stat& st) {
  std::int64_t marginNs = 0;
  {
    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    marginNs = cache.marginNs;
  }
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  const std::int64_t limit = Nanoseconds(now) - marginNs;
  return Nanoseconds(st.st_mtim) < limit && Nanoseconds(st.st_ctim) < limit;
}

std::shared_ptr<const ProfileLines> FindCachedLines(const FileKey& key) {
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

void StoreCachedLines(const FileKey& key,
                      std::shared_ptr<const ProfileLines> lines) {
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
  while (!cache.entries.empty() && (cache.bytes + bytes > kCacheBudgetBytes ||
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

void SetProfileCacheMargin(std::chrono::nanoseconds margin) {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  cache.marginNs = margin.count();
}

void ClearProfileCache() {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  cache.entries.clear();
  cache.bytes = 0;
}

}  // namespace pladdo
