// The profile stream reads the same lines, rows and ends whether it reads a
// file directly, reads it fully to keep it, or replays it from the cache.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "engine/ProfileStream.h"
#include "tests/hostile/HostileUtil.h"

namespace pladdo::hostile {
namespace {

// One read as the caller sees it: its result, the text and the end flag.
struct Step {
  bool read;
  std::string text;
  bool atEnd;
  bool operator==(const Step&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Step& step) {
  return out << "{" << step.read << ", \"" << step.text << "\", " << step.atEnd
             << "}";
}

// Every ReadLine (rows: false) or ReadRowView (rows: true) until the end,
// plus one more read after it.
std::vector<Step> ReadAll(const std::string& path, bool rows) {
  std::vector<Step> steps;
  CProfileStream stream;
  if (!stream.Open(path)) return steps;
  for (int guard = 0; guard < 10000; ++guard) {
    Step step{};
    if (rows) {
      std::string_view row;
      step.read = stream.ReadRowView(row);
      step.text = std::string(row);
    } else {
      step.read = stream.ReadLine(step.text);
    }
    step.atEnd = stream.AtEnd();
    steps.push_back(step);
    if (!step.read && step.atEnd) break;
  }
  return steps;
}

struct FileCase {
  const char* what;
  std::string bytes;
};

const FileCase kFiles[] = {
    {"empty file", ""},
    {"one line feed", "\n"},
    {"last line with a line feed", "[START]\n!a\n"},
    {"last line without a line feed", "[START]\n!a"},
    {"blank and comment lines", "# x\n\n  \t \n[INFO] # y\nname=a#b\n"},
    {"carriage returns", "[START]\r\n!a\r\n\r\n"},
    {"UTF-8 and Windows-1252 lines", "!\xC3\xA5\n!\xE5\n!\xC3\n"},
    {"a line over 1023 bytes", "!" + std::string(2000, 'x') + "\n!b\n"},
    {"a cut through a UTF-8 letter", "!" + std::string(1021, 'x') + "\xC3\xA4\n"},
    {"NUL bytes", std::string("!a\0b\n\0\n", 7)},
};

class StreamCacheTest : public ::testing::TestWithParam<FileCase> {
 protected:
  void TearDown() override {
    CProfileStream::SetCacheMargin(kProfileCacheMargin);
    CProfileStream::ClearCache();
  }
};

TEST_P(StreamCacheTest, CachedReadsEqualDirectReads) {
  TempFolder dir;
  const std::string path = dir.Write("f.ppf", GetParam().bytes);
  for (const bool rows : {false, true}) {
    SCOPED_TRACE(rows ? "rows" : "lines");
    // The file was just written: it is read directly.
    CProfileStream::SetCacheMargin(kProfileCacheMargin);
    const std::vector<Step> direct = ReadAll(path, rows);
    ASSERT_FALSE(direct.empty());
    // Without a margin it is read fully and kept, then replayed.
    CProfileStream::SetCacheMargin(std::chrono::nanoseconds(0));
    CProfileStream::ClearCache();
    EXPECT_EQ(ReadAll(path, rows), direct) << "first read, kept";
    EXPECT_EQ(ReadAll(path, rows), direct) << "replayed from the cache";
  }
}

INSTANTIATE_TEST_SUITE_P(Files, StreamCacheTest, ::testing::ValuesIn(kFiles),
                         [](const auto& row) {
                           return "Row" + std::to_string(row.index);
                         });

TEST(StreamCache, ForgetsAFileReplacedUnderTheSameName) {
  TempFolder dir;
  CProfileStream::SetCacheMargin(std::chrono::nanoseconds(0));
  const std::string path = dir.Write("f.ppf", "!gamla\n");
  EXPECT_EQ(ReadAll(path, false)[0].text, "!gamla");
  // A new file of the same size renamed over the old one, likely within the
  // same clock tick: only its inode tells it apart.
  const std::string other = dir.Write("g.ppf", "!nyare\n");
  ASSERT_EQ(rename(other.c_str(), path.c_str()), 0);
  EXPECT_EQ(ReadAll(path, false)[0].text, "!nyare");
  CProfileStream::SetCacheMargin(kProfileCacheMargin);
  CProfileStream::ClearCache();
}

}  // namespace
}  // namespace pladdo::hostile
