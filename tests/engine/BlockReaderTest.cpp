// Tests of the profile stream and the block reader: rows, headers, block
// bodies, line counting, long lines, encodings and hostile files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Codepage.h"
#include "engine/ProfileStream.h"
#include "tests/engine/EngineTestUtil.h"

namespace pladdo {
namespace {

using test::EngineFixture;
using test::Lines;
using test::WriteBytes;

using Answers = std::vector<std::string>;

struct BlockRow {
  std::string profile;
  std::string block;
  Answers expected;
  const char* what;
};

class BlockReader : public EngineFixture {};

TEST_F(BlockReader, ReadsTheAnswerRowsOfABlock) {
  const BlockRow rows[] = {
      // Rows and comments
      {Lines({"[START]", "!Hej # vad bra"}), "START", {"Hej"},
       "comment cut, trailing blank removed"},
      {Lines({"[START]", "!Nummer #1"}), "START", {"Nummer"},
       "# always starts a comment"},
      {Lines({"[START]", "\t!Hej"}), "START", {"Hej"}, "tab before the row"},
      {Lines({"\t[START]", "!Hej"}), "START", {"Hej"}, "tab before header"},
      {Lines({"[START]", " \t ", "# only a comment", "", "!a"}), "START",
       {"a"}, "blank, comment and empty lines are skipped"},
      {Lines({"[START]", "!   Hej    p\xE5   dig  "}), "START",
       {"Hej p\xE5 dig"}, "runs of blanks folded"},
      {Lines({"[START]", "! Hej", "!Hej"}), "START", {"Hej", "Hej"},
       "blank after ! removed"},
      {Lines({"[START]", "!", "!b"}), "START", {"", "b"},
       "! alone is an empty answer"},
      {"[START]\r\n!a\r\n!b\r\n", "START", {"a", "b"}, "CR LF line ends"},
      {"[START]\n!a\n!b", "START", {"a", "b"}, "last line without LF"},
      // Headers
      {Lines({"[welcome]", "!a"}), "WELCOME", {"a"}, "header in small letters"},
      {Lines({"[Welcome] greetings", "!a"}), "WELCOME", {"a"},
       "text after the header"},
      {Lines({"[ WELCOME ]", "!a"}), "WELCOME", {}, "blanks inside brackets"},
      {Lines({"x[WELCOME]", "!a"}), "WELCOME", {}, "header not at the start"},
      {Lines({"[h\xC4LSNING]", "!a"}), "h\xE4lsning", {"a"},
       "Swedish name, case ignored"},
      {Lines({"[ab]", "!a"}), "a?", {"a"}, "? in a name is a wildcard"},
      {Lines({"[abc]", "!a"}), "a*", {"a"}, "* in a name is a wildcard"},
      // Bodies
      {Lines({"[START]", "!a", "!b", "[REPEAT]", "!c"}), "START", {"a", "b"},
       "next header ends the body"},
      {Lines({"[START]", "?x", "!a", "?y", "!b"}), "START", {"a"},
       "leading pattern skipped, later pattern ends"},
      {Lines({"[START]", "!a", "hello", "!b"}), "START", {"a"},
       "other row ends the body"},
      {Lines({"[NOTFOUND]", "!a", "[NOTFOUND]", "!b"}), "NOTFOUND", {"a"},
       "only the first of two blocks counts"},
      {Lines({"[START]", "!a"}), "REPEAT", {}, "missing block"},
      {Lines({"!a", "[START]"}), "START", {}, "header at the end"},
      {"", "START", {}, "empty file"},
  };
  for (const BlockRow& row : rows) {
    SCOPED_TRACE(row.what);
    UseProfile(row.profile);
    EXPECT_TRUE(m_engine.LoadBlock(row.block));
    EXPECT_EQ(m_engine.GetAnswers(), row.expected);
  }
}

TEST_F(BlockReader, Utf8AndWindows1252ProfilesReadAlike) {
  const std::string utf8 = Lines({
      "[H\xC3\x84LSNING] # \xC3\xA5\xC3\xA4\xC3\xB6",
      "!\xC3\x85ke \xC3\xA4r h\xC3\xA4r",
      "!\xC3\x96l och \xC3\xB6\xC3\xA5",
  });
  const Answers expected = {"\xC5ke \xE4r h\xE4r", "\xD6l och \xF6\xE5"};
  const struct {
    std::string bytes;
    const char* what;
  } rows[] = {{utf8, "UTF-8"}, {Utf8ToCp1252(utf8), "Windows-1252"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    UseProfile(row.bytes);
    EXPECT_TRUE(m_engine.LoadBlock("h\xE4lsning"));
    EXPECT_EQ(m_engine.GetAnswers(), expected);
  }
}

TEST_F(BlockReader, LoadBlockKeepsTheListWhenTheProfileCannotBeOpened) {
  UseProfile(Lines({"[START]", "!a"}));
  ASSERT_TRUE(m_engine.LoadBlock("START"));
  const struct {
    std::string path;
    const char* what;
  } rows[] = {
      {"", "empty path"},
      {m_dir.File("missing.ppf"), "missing file"},
      {m_dir.Path().string(), "a directory"},
      {"/dev/zero", "an endless device"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    m_engine.SetProfile(row.path);
    EXPECT_FALSE(m_engine.LoadBlock("START"));
    EXPECT_EQ(m_engine.GetAnswers(), Answers{"a"});
    CProfileStream stream;
    EXPECT_FALSE(m_engine.OpenProfile(stream, row.path));
  }
}

TEST_F(BlockReader, ABinaryFileReadsWithoutHarm) {
  std::string bytes;
  for (int i = 0; i < 4096; ++i) {
    bytes += static_cast<char>((i * 7919) % 256);
  }
  bytes += "\n[START]\n!ok\n";
  UseProfile(bytes);
  EXPECT_TRUE(m_engine.LoadBlock("START"));
  EXPECT_EQ(m_engine.GetAnswers(), Answers{"ok"});
}

TEST_F(BlockReader, OpensAPathWrittenInWindows1252) {
  const struct {
    std::string nameOnDisk;
    std::string nameInEngine;
    const char* what;
  } rows[] = {
      {"b\xC3\xA5t.ppf", "b\xE5t.ppf", "UTF-8 on disk, converted"},
      {"r\xE5.ppf", "r\xE5.ppf", "raw bytes on disk, taken as they are"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    WriteBytes(m_dir.File(row.nameOnDisk), Lines({"[START]", "!a"}));
    m_engine.SetProfile(m_dir.File(row.nameInEngine));
    EXPECT_TRUE(m_engine.LoadBlock("START"));
    EXPECT_EQ(m_engine.GetAnswers(), Answers{"a"});
  }
}

// ---- Counting lines -------------------------------------------------------

struct CountRow {
  std::string file;
  std::vector<std::string> rows;  // every ReadRow result, "" at the end
  std::vector<int> counts;        // m_nLineCount after each
  const char* what;
};

TEST_F(BlockReader, CountsEveryPhysicalLineRead) {
  const CountRow rows[] = {
      {Lines({"# comment", "", "[INFO]", "!a"}),
       {"[INFO]", "!a", ""},
       {3, 4, 5},
       "final line feed gives one more counted read"},
      {"[INFO]\n!a", {"[INFO]", "!a", ""}, {1, 2, 2},
       "last line without a line feed"},
      {"", {""}, {1}, "empty file: one read finds the end"},
      {"\n\n", {""}, {3}, "empty lines only"},
  };
  for (const CountRow& row : rows) {
    SCOPED_TRACE(row.what);
    WriteBytes(m_dir.File("count.ppf"), row.file);
    CProfileStream stream;
    ASSERT_TRUE(m_engine.OpenProfile(stream, m_dir.File("count.ppf")));
    // The counter belongs to the engine; the checker sets it to zero.
    const int base = m_engine.GetLineCount();
    for (std::size_t i = 0; i < row.rows.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(m_engine.ReadRow(stream, true), row.rows[i]);
      EXPECT_EQ(m_engine.GetLineCount() - base, row.counts[i]);
    }
    EXPECT_TRUE(stream.AtEnd());
    EXPECT_EQ(m_engine.ReadRow(stream, true), "");
    EXPECT_EQ(m_engine.GetLineCount() - base, row.counts.back());
    m_engine.CloseProfile(stream);
  }
}

// ---- Long lines -----------------------------------------------------------

struct LongRow {
  std::size_t length;  // bytes of the answer row, "!" included
  std::size_t kept;    // bytes of the answer kept, "!" excluded
  const char* what;
};

TEST_F(BlockReader, KeepsTheFirst1023BytesOfALine) {
  const LongRow rows[] = {
      {1022, 1021, "1022 bytes"},
      {1023, 1022, "1023 bytes: whole"},
      {1024, 1022, "1024 bytes: last byte skipped"},
      {5000, 1022, "5000 bytes"},
  };
  for (const LongRow& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string answer = "!" + std::string(row.length - 2, 'x') + "y";
    UseProfile("[START]\n" + answer + "\n!next\n");
    EXPECT_TRUE(m_engine.LoadBlock("START"));
    const std::string whole = answer.substr(1);
    EXPECT_EQ(m_engine.GetAnswers(),
              (Answers{whole.substr(0, row.kept), "next"}));

    // Line numbers stay true past the long line.
    CProfileStream stream;
    ASSERT_TRUE(m_engine.OpenProfile(stream, m_strProfile));
    const int base = m_engine.GetLineCount();
    m_engine.ReadRow(stream, true);
    m_engine.ReadRow(stream, true);
    EXPECT_EQ(m_engine.ReadRow(stream, true), "!next");
    EXPECT_EQ(m_engine.GetLineCount() - base, 3);
  }
}

TEST_F(BlockReader, ACutThroughAUtf8LetterDropsItsStrayBytes) {
  const struct {
    std::string line;
    std::string answer;
    const char* what;
  } rows[] = {
      {"!" + std::string(1021, 'x') + "\xC3\xA4z", std::string(1021, 'x'),
       "ASCII, then a split \xC3\xA4"},
      {"!\xC3\xB6" + std::string(1018, 'x') + "\xE2\x82\xAC",
       "\xF6" + std::string(1018, 'x'), "UTF-8, then a split euro sign"},
      {"!\xF6" + std::string(1020, 'x') + "\xC3z",
       "\xF6" + std::string(1020, 'x') + "\xC3",
       "Windows-1252 keeps its last byte"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    UseProfile(Lines({"[START]", row.line, "!\xC3\xA5"}));
    EXPECT_TRUE(m_engine.LoadBlock("START"));
    EXPECT_EQ(m_engine.GetAnswers(), (Answers{row.answer, "\xE5"}));
  }
}

// ---- The stream itself ----------------------------------------------------

TEST(ProfileStream, ReportsTheEndLikeAFileStream) {
  test::TempDir dir;
  WriteBytes(dir.File("a.txt"), "one\ntwo\n");
  CProfileStream stream;
  EXPECT_TRUE(stream.AtEnd());
  ASSERT_TRUE(stream.Open(dir.File("a.txt")));
  EXPECT_TRUE(stream.IsOpen());
  std::string line = "junk";
  const struct {
    bool read;
    std::string line;
    bool atEnd;
  } steps[] = {{true, "one", false}, {true, "two", false}, {false, "", true},
               {false, "", true}};
  for (const auto& step : steps) {
    EXPECT_EQ(stream.ReadLine(line), step.read);
    EXPECT_EQ(line, step.line);
    EXPECT_EQ(stream.AtEnd(), step.atEnd);
  }
  stream.Close();
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_TRUE(stream.AtEnd());
}

}  // namespace
}  // namespace pladdo
