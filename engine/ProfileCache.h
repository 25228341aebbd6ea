// The process-wide cache of profile files that have not changed: each file's
// lines, kept by the file's device, inode, size and nanosecond modification
// and change times, so that any change to the file misses the cache.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <memory>

#include "engine/ProfileLines.h"

namespace pladdo {

// How long ago a file must last have changed before its lines are cached:
// more than any file system's timestamp granularity (FAT: 2 s).
inline constexpr std::chrono::seconds kProfileCacheMargin{3};

// Everything about a file that a change to it changes.
struct FileKey {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  std::int64_t modified = 0;
  std::int64_t changed = 0;

  explicit FileKey(const struct stat& st);
  bool operator==(const FileKey&) const = default;
};

// True when the file's last change lies more than the cache margin before
// now, so that any later change must give it other timestamps.
bool HasAged(const struct stat& st);

// The lines kept for key, or nullptr. A file kept under another key (it has
// changed) is forgotten.
std::shared_ptr<const ProfileLines> FindCachedLines(const FileKey& key);

// Keeps lines for key, dropping the files least recently used when the
// cache would grow past its budget. Very large files are not kept.
void StoreCachedLines(const FileKey& key,
                      std::shared_ptr<const ProfileLines> lines);

// The margin (kProfileCacheMargin unless changed); tests shorten it.
void SetProfileCacheMargin(std::chrono::nanoseconds margin);
// Forgets every file.
void ClearProfileCache();

}  // namespace pladdo
