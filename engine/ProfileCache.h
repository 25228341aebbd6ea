// The process-wide cache of profile files: each file's lines and index, kept
// by the file's device and inode, and handed out again only while they are
// known to be the file's content.
//
// A file whose last change lies more than the cache margin in the past is
// known by its key (device, inode, size, nanosecond modification and change
// times): any later change must give it other timestamps. A younger file can
// still change within the same timestamp tick without its key changing, so
// it is known only while a change notification (inotify) watches it and has
// reported nothing since its bytes were read. Where the file system cannot
// be watched, a young file is read again at every lookup; its kept bytes
// let a read that finds them unchanged reuse the index instead of building
// it again.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/ProfileLines.h"

namespace pladdo {

// How long ago a file must last have changed before its key alone vouches
// for its content: more than any file system's timestamp granularity (FAT:
// 2 s).
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

// What the cache knows of a file at a lookup.
struct CachedFile {
  // The file's lines and index when they are known to be its content now;
  // nullptr when the file must be read.
  std::shared_ptr<const ProfileLines> lines;
  // Otherwise what was kept of an earlier read, when its bytes were kept: a
  // read that finds the same bytes reuses these lines.
  std::shared_ptr<const ProfileLines> earlierLines;
  std::shared_ptr<const std::string> earlierBytes;
};

// Looks up the file at path that stat gave key for; aged is HasAged of that
// stat. The earlier read offered for comparison may be of another file that
// stood at path before (a file saved by renaming a new one over it).
CachedFile FindCachedFile(std::string_view path, const FileKey& key, bool aged);

// A change notification on one file, set up before its bytes are read so
// that any change from then on is reported. id < 0: the file cannot be
// watched (a network or unknown file system, or the system refused).
struct FileWatch {
  int id = -1;
  std::uint64_t seen = 0;  // changes reported on id when it was set up
};

// Watches the file open on fd.
FileWatch WatchFile(int fd);
// Ends a watch that was not stored with its file (the read failed).
void DropWatch(FileWatch watch);

// Keeps the lines of the file at path read when it had aged, under key (its
// state before and after the read), in place of anything kept for path
// before. Very large files are not kept.
void StoreAgedFile(std::string_view path, const FileKey& key,
                   std::shared_ptr<const ProfileLines> lines);

// Keeps the lines of the file at path read while it was young, with the
// bytes they were built from and the watch set up before the read.
void StoreYoungFile(std::string_view path, const FileKey& key,
                    std::shared_ptr<const ProfileLines> lines,
                    std::shared_ptr<const std::string> bytes, FileWatch watch);

// How often files were read whole and how often their index was built; the
// tests and benchmarks see from them what a lookup cost.
struct ProfileCacheCounters {
  std::uint64_t fileReads = 0;
  std::uint64_t indexBuilds = 0;
};
ProfileCacheCounters GetProfileCacheCounters();
void CountFileRead(bool indexBuilt);

// The margin (kProfileCacheMargin unless changed); tests shorten it.
void SetProfileCacheMargin(std::chrono::nanoseconds margin);
// Whether young files are watched (true unless changed); tests turn it off
// to reach what happens on a file system that cannot be watched.
void SetProfileWatching(bool watch);
// Forgets every file and its watch.
void ClearProfileCache();

}  // namespace pladdo
