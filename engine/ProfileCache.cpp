// The cache of profile files, shared by every stream, and the change
// notifications that let it trust what it kept of a young file.
#include "engine/ProfileCache.h"

#include <sys/inotify.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iterator>
#include <map>
#include <mutex>
#include <utility>

namespace pladdo {
namespace {

// What the cache may hold in all, and in how many files.
constexpr std::size_t kCacheBudgetBytes = 32 << 20;
constexpr std::size_t kCacheMaxFiles = 64;

// What a change notification reports: any write or truncation, any change
// of the file's times, owner, mode or links, and the file being moved or
// deleted.
constexpr std::uint32_t kWatchedChanges =
    IN_MODIFY | IN_ATTRIB | IN_MOVE_SELF | IN_DELETE_SELF;

std::int64_t Nanoseconds(const timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Local file systems, where every change to a file passes through this
// kernel and so reaches its watches. Network and user-space file systems
// (NFS, SMB, FUSE, ...) can change under the kernel's feet and are read
// again at every lookup while their files are young.
bool IsLocalFileSystem(std::uint32_t type) {
  static constexpr std::uint32_t kLocal[] = {
      0xEF53,      // ext2, ext3, ext4
      0x58465342,  // XFS
      0x9123683E,  // Btrfs
      0x01021994,  // tmpfs
      0x794C7630,  // overlayfs: its layers must not change while mounted
      0x858458F6,  // ramfs
      0xF2F52010,  // F2FS
      0x2FC12FC1,  // ZFS
      0xCA451A4E,  // bcachefs
      0x4D44,      // FAT
      0x2011BAB0,  // exFAT
      0x7366746E,  // NTFS (ntfs3)
      0x52654973,  // ReiserFS
      0x3153464A,  // JFS
  };
  for (const std::uint32_t local : kLocal) {
    if (type == local) {
      return true;
    }
  }
  return false;
}

// How far a kept file is known to be the file's content.
enum class Trust {
  Key,    // read after it had aged: as long as its key is the same
  Watch,  // read while young: as long as its watch reports no change
  None,   // read while young without a watch: never, read it again
};

struct CacheEntry {
  std::string path;  // where the file stood when it was read
  FileKey key;
  std::shared_ptr<const ProfileLines> lines;
  std::shared_ptr<const std::string> bytes;  // kept while the file is young
  Trust trust = Trust::Key;
  FileWatch watch;
  std::uint64_t lastUse = 0;

  std::size_t Bytes() const {
    return lines->Bytes() + (bytes != nullptr ? bytes->size() : 0);
  }
};

// The changes reported on one watch so far, and whether the watch is gone
// (the file was deleted, or its file system unmounted).
struct WatchState {
  std::uint64_t changes = 0;
  bool gone = false;
};

struct Cache {
  std::mutex mutex;
  std::map<std::pair<dev_t, ino_t>, CacheEntry> entries;
  std::size_t bytes = 0;
  std::uint64_t clock = 0;
  std::int64_t marginNs = std::chrono::nanoseconds(kProfileCacheMargin).count();
  ProfileCacheCounters counters;
  // The inotify instance, made when the first young file is watched, and
  // the process that made it: a child of fork shares the instance with its
  // parent and must not take the parent's reports.
  bool watching = true;
  int notify = -1;
  pid_t notifyOwner = 0;
  std::map<int, WatchState> watches;
};

Cache& TheCache() {
  static Cache cache;
  return cache;
}

// Drops the inotify instance and every watch on it; nothing kept is
// trusted by its watch any more.
void DropNotifier(Cache& cache) {
  if (cache.notify >= 0) {
    ::close(cache.notify);
    cache.notify = -1;
  }
  cache.watches.clear();
  for (auto& [id, entry] : cache.entries) {
    if (entry.trust == Trust::Watch) {
      entry.trust = Trust::None;
    }
    entry.watch = {};
  }
}

// Reads every report waiting on the inotify instance and counts it on its
// watch; a lost report (the queue overflowed) counts on every watch.
void TakeReports(Cache& cache) {
  if (cache.notify < 0) {
    return;
  }
  if (cache.notifyOwner != ::getpid()) {
    DropNotifier(cache);
    return;
  }
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(cache.notify, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return;  // none left (EAGAIN), or the instance failed
    }
    for (ssize_t at = 0;
         at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
      inotify_event event{};
      std::memcpy(&event, buffer + at, sizeof event);
      at += static_cast<ssize_t>(sizeof event + event.len);
      if ((event.mask & IN_Q_OVERFLOW) != 0) {
        for (auto& [id, state] : cache.watches) {
          ++state.changes;
        }
        continue;
      }
      const auto it = cache.watches.find(event.wd);
      if (it != cache.watches.end()) {
        ++it->second.changes;
        it->second.gone = it->second.gone || (event.mask & IN_IGNORED) != 0;
      }
    }
  }
}

void Unwatch(Cache& cache, int id) {
  if (id < 0 || cache.notify < 0) {
    return;
  }
  if (cache.notifyOwner != ::getpid()) {
    DropNotifier(cache);  // the parent's watch, not this process's
    return;
  }
  ::inotify_rm_watch(cache.notify, id);
  cache.watches.erase(id);
}

bool IsUnchangedSinceRead(const Cache& cache, const CacheEntry& entry) {
  if (entry.trust != Trust::Watch || entry.watch.id < 0) {
    return false;
  }
  const auto it = cache.watches.find(entry.watch.id);
  return it != cache.watches.end() && !it->second.gone &&
         it->second.changes == entry.watch.seen;
}

void Erase(Cache& cache,
           std::map<std::pair<dev_t, ino_t>, CacheEntry>::iterator it) {
  Unwatch(cache, it->second.watch.id);
  cache.bytes -= it->second.Bytes();
  cache.entries.erase(it);
}

// Makes room for bytes more by dropping the files least recently used.
void MakeRoom(Cache& cache, std::size_t bytes) {
  while (!cache.entries.empty() && (cache.bytes + bytes > kCacheBudgetBytes ||
                                    cache.entries.size() >= kCacheMaxFiles)) {
    auto oldest = cache.entries.begin();
    for (auto it = cache.entries.begin(); it != cache.entries.end(); ++it) {
      if (it->second.lastUse < oldest->second.lastUse) {
        oldest = it;
      }
    }
    Erase(cache, oldest);
  }
}

// Keeps entry in place of what was kept of the same file or of the file that
// stood at its path before.
void Store(Cache& cache, CacheEntry entry) {
  const auto id = std::make_pair(entry.key.device, entry.key.inode);
  for (auto it = cache.entries.begin(); it != cache.entries.end();) {
    const auto next = std::next(it);
    if (it->first == id || it->second.path == entry.path) {
      Erase(cache, it);
    }
    it = next;
  }
  const std::size_t bytes = entry.Bytes();
  MakeRoom(cache, bytes);
  entry.lastUse = ++cache.clock;
  cache.entries.emplace(id, std::move(entry));
  cache.bytes += bytes;
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

CachedFile FindCachedFile(std::string_view path, const FileKey& key,
                          bool aged) {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  const auto it = cache.entries.find({key.device, key.inode});
  if (it == cache.entries.end()) {
    // Another file at the same path: a profile saved by writing a new file
    // and renaming it over the old one, perhaps with the same bytes.
    for (const auto& [id, entry] : cache.entries) {
      if (entry.path == path && entry.bytes != nullptr) {
        return {nullptr, entry.lines, entry.bytes};
      }
    }
    return {};
  }
  CacheEntry& entry = it->second;
  if (entry.key == key) {
    if (entry.trust == Trust::Watch) {
      TakeReports(cache);
    }
    if (entry.trust == Trust::Key || IsUnchangedSinceRead(cache, entry)) {
      if (entry.trust == Trust::Watch && aged) {
        // From now on any change gives the file other timestamps: its key
        // vouches for it, and the watch and the bytes can go.
        Unwatch(cache, entry.watch.id);
        entry.watch = {};
        cache.bytes -= entry.bytes->size();
        entry.bytes.reset();
        entry.trust = Trust::Key;
      }
      entry.lastUse = ++cache.clock;
      return {entry.lines, nullptr, nullptr};
    }
  }
  if (entry.bytes == nullptr) {
    Erase(cache, it);  // nothing left to compare a new read with
    return {};
  }
  return {nullptr, entry.lines, entry.bytes};
}

FileWatch WatchFile(int fd) {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  struct statfs fs {};
  if (!cache.watching || ::fstatfs(fd, &fs) != 0 ||
      !IsLocalFileSystem(static_cast<std::uint32_t>(fs.f_type))) {
    return {};
  }
  if (cache.notify >= 0 && cache.notifyOwner != ::getpid()) {
    DropNotifier(cache);
  }
  if (cache.notify < 0) {
    cache.notify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (cache.notify < 0) {
      return {};
    }
    cache.notifyOwner = ::getpid();
  }
  // Reports about this file that came before the watch is set up concern an
  // earlier read; take them now so that they are not counted against it.
  TakeReports(cache);
  // The descriptor's own entry in /proc names exactly the file that is
  // open, even when its path has changed meanwhile.
  char path[64];
  std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
  const int id = ::inotify_add_watch(cache.notify, path, kWatchedChanges);
  if (id < 0) {
    return {};
  }
  // A file has one watch: an entry that still holds it (an earlier read of
  // the same file) no longer counts as watched.
  for (auto& [fileId, entry] : cache.entries) {
    if (entry.watch.id == id) {
      entry.watch = {};
      if (entry.trust == Trust::Watch) {
        entry.trust = Trust::None;
      }
    }
  }
  WatchState& state = cache.watches[id];
  if (state.gone) {
    state = {};  // the kernel handed out the number of a watch that ended
  }
  return {id, state.changes};
}

void DropWatch(FileWatch watch) {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  Unwatch(cache, watch.id);
}

void StoreAgedFile(std::string_view path, const FileKey& key,
                   std::shared_ptr<const ProfileLines> lines) {
  Cache& cache = TheCache();
  if (lines->Bytes() > kCacheBudgetBytes) {
    return;
  }
  std::lock_guard lock(cache.mutex);
  Store(cache,
        {std::string(path), key, std::move(lines), nullptr, Trust::Key, {}, 0});
}

void StoreYoungFile(std::string_view path, const FileKey& key,
                    std::shared_ptr<const ProfileLines> lines,
                    std::shared_ptr<const std::string> bytes, FileWatch watch) {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  if (lines->Bytes() + bytes->size() > kCacheBudgetBytes) {
    Unwatch(cache, watch.id);
    return;
  }
  const Trust trust = watch.id >= 0 ? Trust::Watch : Trust::None;
  Store(cache, {std::string(path), key, std::move(lines), std::move(bytes),
                trust, watch, 0});
}

ProfileCacheCounters GetProfileCacheCounters() {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  return cache.counters;
}

void CountFileRead(bool indexBuilt) {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  ++cache.counters.fileReads;
  if (indexBuilt) {
    ++cache.counters.indexBuilds;
  }
}

void SetProfileCacheMargin(std::chrono::nanoseconds margin) {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  cache.marginNs = margin.count();
}

void SetProfileWatching(bool watch) {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  cache.watching = watch;
  if (!watch) {
    DropNotifier(cache);
  }
}

void ClearProfileCache() {
  Cache& cache = TheCache();
  std::lock_guard lock(cache.mutex);
  DropNotifier(cache);
  cache.entries.clear();
  cache.bytes = 0;
}

}  // namespace pladdo
