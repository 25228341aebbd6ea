// Helpers for the engine tests: a temporary folder, fixture files written as
// bytes, and an engine set up on such a file.
#pragma once

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <system_error>

#include <gtest/gtest.h>

#include "engine/ChatEngine.h"
#include "engine/Clock.h"
#include "engine/Random.h"

namespace pladdo::test {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes.
class TempDir {
 public:
  TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "pladdo-engine-XXXXXX")
            .string();
    if (mkdtemp(pattern.data()) == nullptr) {
      ADD_FAILURE() << "cannot create a temporary folder";
    }
    m_path = pattern;
  }
  ~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(m_path, error);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  std::string File(std::string_view name) const {
    return (m_path / name).string();
  }

 private:
  std::filesystem::path m_path;
};

// Writes bytes to path exactly as given.
inline void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << "cannot write " << path;
}

// The rows joined, each ended by a line feed.
inline std::string Lines(std::initializer_list<std::string_view> rows) {
  std::string text;
  for (std::string_view row : rows) {
    text += row;
    text += '\n';
  }
  return text;
}

// A local time for the clock variables.
inline std::tm MakeTime(int year, int month, int day, int hour, int minute,
                        int second) {
  std::tm time{};
  time.tm_year = year - 1900;
  time.tm_mon = month - 1;
  time.tm_mday = day;
  time.tm_hour = hour;
  time.tm_min = minute;
  time.tm_sec = second;
  return time;
}

// An engine on a profile written into a temporary folder. The random
// generator is pinned and the clock fixed while the fixture lives; the
// language file is one of the folder's, so no table of the working folder
// creeps in.
class EngineFixture : public ::testing::Test {
 protected:
  EngineFixture() {
    PinRandomSeed(1);
    SetFixedTime(MakeTime(2002, 12, 4, 9, 5, 7));
  }
  ~EngineFixture() override {
    SetFixedTime(std::nullopt);
    UnpinRandomSeed();
  }

  // Writes the profile bytes and sets the engine on them.
  void UseProfile(std::string_view bytes) {
    m_strProfile = m_dir.File("bot.ppf");
    WriteBytes(m_strProfile, bytes);
    m_engine.SetLanguageFile(m_dir.File("language.dat"));
    m_engine.SetProfile(m_strProfile);
  }
  // Writes the language table bytes (set the profile afterwards).
  void UseLanguageTable(std::string_view bytes) {
    WriteBytes(m_dir.File("language.dat"), bytes);
  }

  TempDir m_dir;
  CChatEngine m_engine;
  std::string m_strProfile;
};

}  // namespace pladdo::test
