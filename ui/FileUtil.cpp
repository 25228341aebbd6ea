// File helpers of the window layer: the program folder, path splitting, and
// saving a transcript through a temporary file.
#include "ui/FileUtil.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "engine/Codepage.h"
#include "ui/Messages.h"
#include "ui/StringTable.h"

namespace pladdo {
namespace {

std::size_t FindLastSeparator(std::string_view path) {
  const std::size_t backslash = path.rfind('\\');
  return backslash != std::string_view::npos ? backslash : path.rfind('/');
}

bool Fail(std::string_view path, int error, std::string& message) {
  message = FormatSystemError(IDS_SAVE_FAILED, path, error);
  return false;
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The mode a newly created file gets: read and write for everyone the umask
// allows, as an ordinary open() would give it.
mode_t DefaultFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

}  // namespace

std::string GetProgramFolder(bool folderOnly) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) exe = fs::current_path(ec) / "pladdo";
  if (!folderOnly) return FileLineToCp1252(exe.string());

  const fs::path folder = exe.parent_path();
  fs::path data = folder;
  if (!fs::is_directory(folder / "profiles", ec)) {
    // An installed program: bin/pladdo with its data in share/pladdo/.
    data = (folder / ".." / "share" / "pladdo").lexically_normal();
  }
  std::string result = data.string();
  if (result.empty() || result.back() != '/') result += '/';
  return FileLineToCp1252(result);
}

std::string GetReadMePath() {
  return GetProgramFolder(true) + std::string(LoadString(IDS_README_FILE));
}

std::string GetDefaultLanguageFile() {
  return GetProgramFolder(true) + "language.dat";
}

std::string GetDefaultProfile(int index) {
  return GetProgramFolder(true) +
         (index == 0 ? "profiles/pladdo.ppf" : "profiles/rimbus.ppf");
}

std::string GetFileNamePart(std::string_view path) {
  const std::size_t pos = FindLastSeparator(path);
  if (pos == std::string_view::npos) return std::string(path);
  return std::string(path.substr(pos + 1));
}

std::string GetFolderPart(std::string_view path) {
  const std::size_t pos = FindLastSeparator(path);
  if (pos == std::string_view::npos) return std::string(path);
  return std::string(path.substr(0, pos + 1));
}

std::string ToNativePath(std::string_view path) { return Cp1252ToUtf8(path); }

bool SaveTextFile(std::string_view path, std::string_view utf8Text,
                  std::string& error) {
  namespace fs = std::filesystem;
  std::string target = ToNativePath(path);
  if (target.empty()) return Fail(path, ENOENT, error);

  struct stat info {};
  mode_t mode = DefaultFileMode();
  if (::stat(target.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return Fail(path, EISDIR, error);
    // Renaming over a device or a pipe would replace it with a plain file.
    if (!S_ISREG(info.st_mode)) {
      error =
          FormatString(IDS_SAVE_FAILED, path, LoadString(IDS_SAVE_NOT_A_FILE));
      return false;
    }
    mode = static_cast<mode_t>(info.st_mode & 07777);
    // Saving through a symbolic link replaces the file it points to, not
    // the link itself.
    std::error_code ec;
    const fs::path real = fs::canonical(target, ec);
    if (!ec) target = real.string();
  }

  std::string folder = fs::path(target).parent_path().string();
  if (folder.empty()) folder = ".";
  std::string temp = folder + "/.pladdo-save-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return Fail(path, errno, error);

  int failure = 0;
  if (!WriteAll(fd, utf8Text)) failure = errno;
  if (failure == 0 && ::fchmod(fd, mode) != 0) failure = errno;
  if (failure == 0 && ::fsync(fd) != 0) failure = errno;
  if (::close(fd) != 0 && failure == 0) failure = errno;
  if (failure == 0 && ::rename(temp.c_str(), target.c_str()) != 0) {
    failure = errno;
  }
  if (failure != 0) {
    ::unlink(temp.c_str());
    return Fail(path, failure, error);
  }

  // Make the rename itself durable; a failure here loses nothing.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace pladdo
