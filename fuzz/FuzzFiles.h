// Scratch files for the fuzz targets: one private temporary folder per
// process, removed again when the process ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace pladdo::fuzz {

// The folder, made on first use with mkdtemp so that parallel fuzz jobs never
// share files.
inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    std::string templ =
        (std::filesystem::temp_directory_path() / "pladdo-fuzz-XXXXXX").string();
    if (mkdtemp(templ.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(ScratchFolder(), ec);
    });
    return std::filesystem::path(templ);
  }();
  return folder;
}

// Writes bytes to the named file of the scratch folder and returns its path.
inline std::string WriteScratchFile(std::string_view name,
                                    std::string_view bytes) {
  const std::filesystem::path path = ScratchFolder() / name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::perror("write scratch file");
    std::abort();
  }
  return path.string();
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace pladdo::fuzz
