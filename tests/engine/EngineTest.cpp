// Tests of the engine on small profiles written as bytes: the block reader,
// keyword matching, answer expansion, the choice of the replying block and
// the worked conversation end to end, with files that change or are no
// profile at all.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/Clock.h"
#include "engine/Codepage.h"
#include "engine/ProfileCache.h"
#include "engine/ProfileStream.h"
#include "engine/Random.h"
#include "engine/TextUtil.h"
#include "tests/TestUtil.h"
#include "tests/engine/EngineTestAccess.h"

namespace pladdo {
namespace {

using Texts = std::vector<std::string>;
using test::WriteFile;

std::tm At(int year, int month, int day, int hour, int minute, int second) {
  std::tm time{};
  time.tm_year = year - 1900, time.tm_mon = month - 1, time.tm_mday = day;
  time.tm_hour = hour, time.tm_min = minute, time.tm_sec = second;
  return time;
}

// An engine on a profile in a fresh temporary folder, with a pinned random
// generator and the clock at 2002-12-04 09:05:07. The language file lies in
// the folder, so no table of the working folder creeps in.
class EngineTest : public ::testing::Test {
 protected:
  EngineTest() {
    PinRandomSeed(1);
    SetFixedTime(At(2002, 12, 4, 9, 5, 7));
  }
  ~EngineTest() override {
    SetFixedTime(std::nullopt);
    UnpinRandomSeed();
  }
  std::string File(std::string_view name) const { return m_dir.File(name); }
  // Writes the profile (and the language table) and sets the engine on them.
  void UseProfile(std::string_view bytes, std::string_view table = "") {
    // A new name each time: a file kept in memory is never rewritten within
    // one tick of the file system's clock.
    m_strProfile =
        m_dir.Write("bot" + std::to_string(++m_nProfiles) + ".ppf", bytes);
    m_engine.SetLanguageFile(m_dir.Write("language.dat", table));
    m_engine.SetProfile(m_strProfile);
  }
  // The welcome and the replies to the inputs of a fresh conversation,
  // joined by "|".
  std::string Talk(const Texts& inputs) {
    m_engine.Reset();
    std::string replies(m_engine.GetWelcome());
    for (const std::string& input : inputs) {
      m_engine.SetInput(input);
      replies += "|" + std::string(m_engine.GetReply());
    }
    return replies;
  }
  std::string Expand(std::string text, int depth = kExpandDepth) {
    m_access.ExpandAnswer(text, depth);
    return text;
  }

  test::TempDir m_dir;
  CChatEngine m_engine;
  CChatEngineTestAccess m_access{m_engine};
  std::string m_strProfile;
  int m_nProfiles = 0;
};

// Runs a test body on profiles read each way: line by line straight from
// disk ("Streamed", files too large to hold), held in memory while it was
// changed a moment ago ("Young", watched for changes), and held in memory once
// it has aged ("Aged", kept by its key; no cache margin, so at once).
class FromDiskAndMemory : public EngineTest,
                          public ::testing::WithParamInterface<std::string> {
 protected:
  FromDiskAndMemory() {
    CProfileStream::ClearCache();
    if (GetParam() == "Streamed") CProfileStream::SetMaxHeldFileBytes(0);
    if (GetParam() == "Aged") CProfileStream::SetCacheMargin({});
  }
  ~FromDiskAndMemory() override {
    CProfileStream::SetMaxHeldFileBytes(kMaxHeldFileBytes);
    CProfileStream::SetCacheMargin(kProfileCacheMargin);
    CProfileStream::ClearCache();
  }
};
INSTANTIATE_TEST_SUITE_P(Engine, FromDiskAndMemory,
                         ::testing::Values("Streamed", "Young", "Aged"),
                         [](const auto& row) { return row.param; });

// Runs a test body for the profile as UTF-8 and as Windows-1252.
class BothEncodings : public EngineTest,
                      public ::testing::WithParamInterface<bool> {
 protected:
  std::string Encode(const std::string& utf8) const {
    return GetParam() ? utf8 : Utf8ToCp1252(utf8);
  }
};
INSTANTIATE_TEST_SUITE_P(Engine, BothEncodings, ::testing::Bool(),
                         [](const auto& row) {
                           return row.param ? "Utf8" : "Windows1252";
                         });

// ---- Block reader -----------------------------------------------------------

// Each lookup opens the profile, finds the block from the top and reads it.
TEST_P(FromDiskAndMemory,
       BlockReaderReadsTheAnswerRowsOfTheFirstMatchingBlock) {
  const std::string x(1021, 'x');
  // clang-format off
  const struct { std::string profile, block; Texts answers; } rows[] = {
      {"[START]\n!Hej # vad bra\n!Nummer #1\n", "START", {"Hej", "Nummer"}},
      {"\t[START]\n\t!Hej\n \t \n# only a comment\n\n!a\n", "START", {"Hej", "a"}},
      {"[START]\n!   Hej    p\xE5   dig  \n! Hej\n!\n", "START", {"Hej p\xE5 dig", "Hej", ""}},
      {"[START]\r\n!a\r\n!b", "START", {"a", "b"}},
      {"[welcome] greetings\n!a\n", "WELCOME", {"a"}},
      {"[ WELCOME ]\n!a\nx[WELCOME]\n!b\n", "WELCOME", {}},
      {"[h\xC4LSNING]\n!a\n", "h\xE4lsning", {"a"}},
      {"[ab]\n!a\n", "a?", {"a"}},
      {"[abc]\n!a\n", "a*", {"a"}},
      {"[START]\n!a\n!b\n[REPEAT]\n!c\n", "START", {"a", "b"}},
      {"[START]\n?x\n!a\n?y\n!b\n", "START", {"a"}},
      {"[START]\n!a\nhello\n!b\n", "START", {"a"}},
      {"[NOTFOUND]\n!a\n[NOTFOUND]\n!b\n", "NOTFOUND", {"a"}},
      {"[START]\n!a\n", "REPEAT", {}},
      {"[x]\n!1\n[b]", "b", {}},
      {"[a\n!1\n[a]x]\n!2\n", "a", {"2"}},
      {"[ab]\n!1\n[a]\n!2\n", "a", {"2"}},
      {"[[a]\n!1\n", "[a", {"1"}},
      {"[\xC4]\n!1\n", "\xE4", {"1"}},
      {"[]\n!1\n", "", {"1"}},
      {"[a b]\n!1\n", "a  b", {}},
      {"!a\n[START]\n", "START", {}},
      {"", "START", {}},
      // A line that is no UTF-8 keeps its first 1023 bytes.
      {"[START]\n!\xF6" + x.substr(1) + "\xC3z\n!\xC3\xA5\n", "START",
       {"\xF6" + x.substr(1) + "\xC3", "\xE5"}},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.profile);
    UseProfile(row.profile);
    EXPECT_TRUE(m_access.LoadBlock(row.block));
    EXPECT_EQ(m_access.Answers(), row.answers);
  }
}

TEST_P(FromDiskAndMemory, LongLinesKeepTheir1023FirstLettersInBothEncodings) {
  const auto times = [](int count, const std::string& text) {
    std::string repeated;
    for (int i = 0; i < count; ++i) repeated += text;
    return repeated;
  };
  const std::string a = "\xC3\xA5";  // å in UTF-8
  // An answer row "!" + text, and the answer read from it: the line's first
  // 1023 characters, the rest of it skipped up to the row after it.
  // clang-format off
  const struct { std::string text, answer; } rows[] = {
      {times(600, a), times(600, "\xE5")},
      {times(1022, a), times(1022, "\xE5")},
      {times(1023, a), times(1022, "\xE5")},
      {times(5000, a), times(1022, "\xE5")},  // cut inside a letter first
      {times(1100, "\xE2\x80\x94"), times(1022, "\x97")},  // an em dash
      {std::string(1021, 'x') + a + "z", std::string(1021, 'x') + "\xE5"},
  };
  // clang-format on
  for (const auto& row : rows) {
    for (const bool utf8 : {true, false}) {
      SCOPED_TRACE(row.text.substr(0, 12) + ".. (" +
                   std::to_string(row.text.size()) + " bytes), " +
                   (utf8 ? "UTF-8" : "Windows-1252"));
      const std::string profile = "[START]\n!" + row.text + "\n!slut\n";
      UseProfile(utf8 ? profile : Utf8ToCp1252(profile));
      ASSERT_TRUE(m_access.LoadBlock("START"));
      EXPECT_EQ(m_access.Answers(), (Texts{row.answer, "slut"}));
    }
  }
}

// Paths that name no profile are the hostile tests' (tests/hostile).
TEST_F(EngineTest, BinaryBytesBeforeABlockAndCp1252PathsDoNoHarm) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>(i * 7919 % 256);
  UseProfile(binary + "\n[START]\n!ok\n");
  ASSERT_TRUE(m_access.LoadBlock("START"));
  EXPECT_EQ(m_access.Answers(), Texts{"ok"});
  // A Windows-1252 path opens a file named in UTF-8 or in raw bytes.
  for (const char* onDisk : {"b\xC3\xA5t.ppf", "r\xE5.ppf"}) {
    SCOPED_TRACE(onDisk);
    WriteFile(File(onDisk), "[START]\n!a\n");
    m_engine.SetProfile(File(FileLineToCp1252(onDisk)));
    EXPECT_TRUE(m_access.LoadBlock("START"));
    EXPECT_EQ(m_access.Answers(), Texts{"a"});
  }
}

// Gives path fixed access and modification times; its change time still
// moves to now.
void SetFixedTimes(const std::string& path) {
  const timespec times[2] = {{1000000000, 5}, {1000000000, 5}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST_F(EngineTest, AYoungFileIsReadAgainAndIndexedAgainOnlyForNewBytes) {
  const std::string before = "[START]\n!alfa\n";
  // What happens to the file after a first lookup, the answers the next
  // lookup finds, and the whole reads and index builds that lookup costs
  // with the file watched for changes, and without a watch.
  const auto rewrite = [](const std::string& bytes) {
    return [bytes](const std::string& path) { WriteFile(path, bytes); };
  };
  // clang-format off
  const struct {
    std::string change;
    std::function<void(const std::string&)> apply;
    Texts answers;
    int reads, builds, unwatchedReads, unwatchedBuilds;
  } rows[] = {
      {"nothing", [](const std::string&) {}, {"alfa"}, 0, 0, 1, 0},
      {"times set anew", [](const std::string& path) {
         ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), nullptr, 0), 0);
       }, {"alfa"}, 1, 0, 1, 0},
      {"the same bytes saved again", rewrite(before), {"alfa"}, 1, 0, 1, 0},
      {"other bytes of the same size, the same times", [](const std::string& path) {
         WriteFile(path, "[START]\n!beta\n");
         SetFixedTimes(path);
       }, {"beta"}, 1, 1, 1, 1},
      {"the same bytes saved as a new file renamed over it", [&](const std::string& path) {
         rewrite(before)(path + ".new");
         std::filesystem::rename(path + ".new", path);
       }, {"alfa"}, 1, 0, 1, 0},
      {"a row added", rewrite(before + "!gamma\n"), {"alfa", "gamma"}, 1, 1, 1, 1},
  };
  // clang-format on
  for (const bool watched : {true, false}) {
    SetProfileWatching(watched);
    for (const auto& row : rows) {
      SCOPED_TRACE(row.change + (watched ? ", watched" : ", not watched"));
      UseProfile(before);
      SetFixedTimes(m_strProfile);
      ASSERT_TRUE(m_access.LoadBlock("START"));
      EXPECT_EQ(m_access.Answers(), Texts{"alfa"});
      const ProfileCacheCounters start = GetProfileCacheCounters();
      row.apply(m_strProfile);
      ASSERT_TRUE(m_access.LoadBlock("START"));
      EXPECT_EQ(m_access.Answers(), row.answers);
      const ProfileCacheCounters end = GetProfileCacheCounters();
      EXPECT_EQ(end.fileReads - start.fileReads,
                watched ? row.reads : row.unwatchedReads);
      EXPECT_EQ(end.indexBuilds - start.indexBuilds,
                watched ? row.builds : row.unwatchedBuilds);
    }
  }
  SetProfileWatching(true);
}

// A young file kept under the key a stat gave before it was changed: the
// key of a change within one timestamp tick, which the watch must notice.
TEST_F(EngineTest, ACachedYoungFileIsTrustedOnlyWhileItsWatchReportsNothing) {
  const auto lines = std::make_shared<const ProfileLines>();
  const auto bytes = std::make_shared<const std::string>("[START]\n");
  // Whether the file is watched, whether it changes, whether it has aged
  // at the lookup; whether the kept lines are handed out.
  const struct {
    bool watched, change, aged, handedOut;
  } rows[] = {{true, false, false, true},
              {true, true, false, false},
              {false, false, false, false},
              {true, false, true, true},
              {true, true, true, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.watched ? "watched" : "not watched") +
                 (row.change ? ", changed" : ", unchanged") +
                 (row.aged ? ", aged" : ", young"));
    SetProfileWatching(row.watched);
    CProfileStream::ClearCache();
    UseProfile(*bytes);
    const int fd = open(m_strProfile.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    struct stat st {};
    ASSERT_EQ(fstat(fd, &st), 0);
    const FileWatch watch = WatchFile(fd);
    close(fd);
    EXPECT_EQ(watch.id >= 0, row.watched);
    StoreYoungFile(m_strProfile, FileKey(st), lines, bytes, watch);
    if (row.change) WriteFile(m_strProfile, "[START]\n!a\n");
    // A child of fork shares the parent's change reports: its own lookup
    // must leave them to the parent.
    if (row.watched && row.change) {
      EXPECT_EQ(
          test::RunChild([&] {
            return FindCachedFile(m_strProfile, FileKey(st), row.aged).lines !=
                           nullptr
                       ? "kept"
                       : "read again";
          }).Result(),
          "read again");
    }
    const CachedFile found =
        FindCachedFile(m_strProfile, FileKey(st), row.aged);
    EXPECT_EQ(found.lines != nullptr, row.handedOut);
    // What is not handed out is offered for comparing the next read with.
    EXPECT_EQ(found.earlierBytes, row.handedOut ? nullptr : bytes);
  }
  SetProfileWatching(true);
  CProfileStream::ClearCache();
}

// ---- Keyword matching -------------------------------------------------------

TEST_P(FromDiskAndMemory, KeywordMatchTakesWholeWordsAndCapturesTheWordsAfter) {
  const struct {
    std::string pattern, input, capture;
  } rows[] = {
      // "-": none
      {"hej", "Hej!", ""},
      {"hej", "ja, hej p\xE5 dig", "p\xE5 dig"},
      {"hej", "hejsan", "-"},
      {"hej", "hejsan hej", "-"},
      {"hej", "\xE5hej", "-"},
      {"hej", "hej\xF6", "-"},
      {"hej", "1hej2", ""},
      {"H\xC4J", "h\xE4j du", "du"},
      {"jag heter*", "Jag heter Anna.", "anna"},
      {"jag heter *", "jag heter anna", "-"},
      {"jag heter", "jag heter  anna  lisa ", "anna lisa"},
      {"jag \xE4r*", "jag \xE4r 25 \xE5r", ""},
      {"jag heter", "jag heter x-y", "x"},
      {"jag heter", "jag heter.", ""},
      {"jag*dig", "jagar dig", ""},
      {"jag*dig", "dig jag", "-"},
      {"hej**d\xE5", "hej och d\xE5", ""},
      {"vad?", "vad!", ""},
      {"vad?", "vad", "-"},
      {"", "Hej hopp 3", "hej hopp"},
      {"  hej   d\xE5 ", "hej d\xE5", ""},
      {"hej d\xE5", "hej  d\xE5", "-"},
      {"?ej", "hej", ""},
      {"h?j", "ja hoj d\xE5", "d\xE5"},
      {"H?J", "h\xE4j", ""},
      {"?", "ja", "-"},
      {"??", "a", ""},
      {"*hej*", "s\xE4g hej", ""},
      {"HEJ*D\xC5", "hej d\xE5", ""},
      {"a?c", "xabd abc", ""},
      {" hej", "(hej)", ""},
      {" h?j", "(hoj)", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pattern + " | " + row.input);
    // Answers echoing the capture ("%FE%", or "%@FE%" capitalised) go when
    // it is empty; "%fe%" is a block variable.
    UseProfile("[SPEAK]\n?" + row.pattern + "\n!a %fe%\n!<%FE%>\n!%@FE%!\n");
    m_engine.SetInput(row.input);
    const bool matched = m_access.MatchSpeak();
    EXPECT_EQ(matched ? m_engine.GetCapture() : "-", row.capture);
    if (matched) {
      EXPECT_EQ(m_access.Answers().size(), row.capture.empty() ? 1u : 3u);
    }
  }
}

TEST_P(FromDiskAndMemory,
       KeywordMatchTakesTheFirstRowFromSpeakToTheEndOfTheFile) {
  UseProfile(
      "[START]\n?tidig\n!before\n[SPEAK]\n?hej\n?tja\n!first\n!first2\n"
      "?hej\n!second\n?h\n[NOTFOUND]\n?sen\n!late\n[x]\n!y\n"
      "?jag heter\n!hej %FE%\n?ingen\n!%FE%\n!x%FE%y\n?ingen\n!z\n");
  const struct {
    std::string input;
    bool matches;
    Texts answers;
  } rows[] = {
      {"hej", true, {"first", "first2"}},
      {"tja", true, {"first", "first2"}},
      {"sen", true, {"late"}},
      {"jag heter bo", true, {"hej %FE%"}},
      {"tidig", false, {"hej %FE%"}},  // no match leaves list and capture
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    m_engine.SetInput(row.input);
    EXPECT_EQ(m_access.MatchSpeak(), row.matches);
    EXPECT_EQ(m_access.Answers(), row.answers);
  }
  EXPECT_EQ(m_engine.GetCapture(), "bo");
  m_engine.SetInput("ingen");  // all answers dropped: no match, no later row
  EXPECT_FALSE(m_access.MatchSpeak());
}

// ---- Answer expansion -------------------------------------------------------

const std::string kBlocksUtf8 =
    "[h\xC3\xA4lsning]\n!hej\n[en]\n!\xC3\xA5ska\n[a]\n!x %a%\n"
    "[dubbel]\n!%dubbel% %dubbel%\n[tom]\n?x\n[tomrad]\n!\n"
    "[kedja]\n!%en% och %@en%\n";

TEST_P(BothEncodings, ExpansionReplacesEveryVariableByItsValue) {
  UseProfile(Encode(kBlocksUtf8));
  const std::string file = File("ord.txt"), none = File("saknas.txt");
  WriteFile(file,
            "[f\xC3\xA4rg]\n!r\xC3\xB6"
            "d\n");
  // clang-format off
  const struct { std::string user, capture, text, expected; } rows[] = {
      {"Anna", "", "Hej %NAME_USER%!", "Hej Anna!"},
      {"\xE5sa", "", "%@NAME_USER%", "\xC5sa"},
      {"", "", "%@NAME_USER%.", "."},
      {"", "", "%NAME_PLADDO%", "Pladdo"},
      {"", "anna", "Hej %FE%, %@FE%", "Hej anna, Anna"},
      {"%SYS_DATE_YYYY%", "", "%NAME_USER%", "2002"},
      {"", "", "100%% s\xE4ker %%NAME_USER%%", "100% s\xE4ker %NAME_USER%"},
      {"", "", "50% av oss", "50% av oss"},
      {"Anna", "", "50% av %NAME_USER%", "50[av#ERROR_NOVARIABLE#]NAME_USER%"},
      {"", "", "%SYS_TIME_H%.%SYS_TIME_MM% %SYS_TIME_HH%:%SYS_TIME_M%", "9.05 09:5"},
      {"", "", "%SYS_TIME_SS% %SYS_TIME_S%", "07 7"},
      {"", "", "%SYS_DATE_D%/%SYS_DATE_M% %SYS_DATE_YY%", "4/12 02"},
      {"", "", "%SYS_DATE_DD%.%SYS_DATE_MM%.%SYS_DATE_YYYY%", "04.12.2002"},
      {"", "", "%@en%! % EN %", "\xC5ska! \xE5ska"},
      {"", "", "%@H\xC4LSNING% % h\xE4lsning %", "Hej hej"},
      {"", "", "%kedja%", "\xE5ska och \xC5ska"},
      {"", "", "%name_user%", "[name_user#ERROR_NOVARIABLE#]"},
      {"", "", "%@  ok  \xE4nd %", "[ok \xE4nd#ERROR_NOVARIABLE#]"},
      {"", "", "%tom%<%tomrad%>", "[tom#ERROR_NOVARIABLE#]<>"},
      {"", "", "%" + file + "|f\xE4rg% %@" + file + "| f\xE4rg %", "r\xF6" "d R\xF6" "d"},
      {"", "", "%" + file + "|@bl\xE5%", "[bl\xE5#ERROR_NOVARIABLE#]"},
      {"", "", "%" + none + "|en%", "[#ERROR_VARIABELCANTOPENFILE# " + none + " ]"},
      {"", "", "%|en%", "[#ERROR_VARIABELCANTOPENFILE#  ]"},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    m_engine.SetUserName(row.user);
    m_access.CaptureRest(" " + row.capture, 0);
    EXPECT_EQ(Expand(row.text), row.expected);
  }
  SetFixedTime(At(2009, 1, 1, 0, 0, 0));
  EXPECT_EQ(Expand("%SYS_TIME_H% %SYS_TIME_HH% %SYS_TIME_M% %SYS_DATE_YY%"),
            "0 00 0 09");
  m_engine.SetProfile(none);
  EXPECT_EQ(Expand("%en%"), "[#ERROR_VARIABELCANTOPENFILE# " + none + " ]");
}

std::string Chain(int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += "x ";
  return text + "[#ERROR_LOOPPROTECTION# x %a%]";
}

TEST_P(BothEncodings, ExpansionStopsAtTheDepthAndAtTheBudget) {
  UseProfile(Encode(kBlocksUtf8));
  for (const int depth : {0, 1, 20, 21}) {
    EXPECT_EQ(Expand("%a%", depth), Chain(depth)) << depth;
  }
  EXPECT_EQ(Expand("%a%|%a%"), Chain(20) + "|" + Chain(20));
  std::string within;
  for (int i = 0; i < kExpandBudget; ++i) within += "%%";
  const std::string percents(static_cast<std::size_t>(kExpandBudget), '%');
  for (int twice = 0; twice < 2; ++twice) {  // each answer gets a new budget
    EXPECT_EQ(Expand(within), percents);
    EXPECT_EQ(Expand(within + "%%%en%"), percents +
                                             "[#ERROR_LOOPPROTECTION# %%]"
                                             "[#ERROR_LOOPPROTECTION# %en%]");
  }
  const std::string doubled = Expand("%dubbel%");
  EXPECT_NE(doubled.find("[#ERROR_LOOPPROTECTION# %dubbel%]"), npos);
  EXPECT_NE(doubled.find("[#ERROR_LOOPPROTECTION# %dubbel% %dubbel%]"), npos);
  EXPECT_EQ(Expand("%dubbel%"), doubled);
  EXPECT_EQ(Expand("%a%"), Chain(20));
}

TEST_F(EngineTest, WideBranchingExpandsWholeWithinTheBudgetAndTheSizeLimit) {
  // 48 blocks each naming 200 others, none twice in one row: 9,648
  // evaluations, all within the budget, and no loop-protection note.
  std::string profile, leaves, text, expected;
  for (int i = 0; i < 200; ++i) {
    const std::string name = {static_cast<char>('a' + i / 26),
                              static_cast<char>('a' + i % 26)};
    profile += "[" + name + "]\n!" + name.substr(1) + "\n";
    leaves += "%" + name + "%";
    expected += name.substr(1);
  }
  const std::string branch = expected;
  for (int i = 0; i < 48; ++i) {
    profile += "[grupp" + std::to_string(i) + "]\n!" + leaves + "\n";
    text += (i > 0 ? " %grupp" : "%grupp") + std::to_string(i) + "%";
    if (i > 0) expected += " " + branch;
  }
  UseProfile(profile);
  EXPECT_EQ(Expand(text), expected);

  // The size limit on both sides: four values that fill the answer exactly,
  // and four one byte longer, of which the fourth is left out like every
  // variable after it.
  std::string names;
  for (int i = 0; i < 4; ++i) names += "%NAME_USER%";
  const std::size_t quarter = kMaxAnswerBytes / 4;
  m_engine.SetUserName(std::string(quarter, 'x'));
  std::string expanded = Expand(names);
  EXPECT_TRUE(expanded == std::string(kMaxAnswerBytes, 'x'))
      << expanded.size() << " bytes: " << expanded.substr(0, 80);
  m_engine.SetUserName(std::string(quarter + 1, 'x'));
  expanded = Expand(names + "%%");
  EXPECT_TRUE(expanded == std::string(3 * (quarter + 1), 'x') +
                              "[#ERROR_LOOPPROTECTION# %NAME_USER%]"
                              "[#ERROR_LOOPPROTECTION# %%]")
      << expanded.size() << " bytes, ending " << expanded.substr(3 * quarter);
}

// ---- The engine object and the replying block -------------------------------

TEST(Random, APinnedSeedGivesTheRuntimeSequenceEvenPastANewEngine) {
  PinRandomSeed(1);  // the Microsoft C runtime's rand() after srand(1)
  std::vector<int> values = {DrawRandom()};
  CChatEngine engine;  // does not reseed a pinned generator
  while (values.size() < 5) values.push_back(DrawRandom());
  UnpinRandomSeed();
  EXPECT_EQ(values, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
}

TEST_F(EngineTest, SetBotNameDrawsARowOfTheNameBlockAsWritten) {
  for (const char* profile : {"[NAME]\n?x\n", ""}) {
    UseProfile(profile);
    m_engine.SetBotName();
    EXPECT_EQ(m_engine.GetBotName(), "#ERROR_NOVARIABLEANSWER#") << profile;
  }
  UseProfile("[NAME]\n!%NAME_USER%\n!Bo\n!Cilla\n");
  std::set<std::string> names;
  for (int i = 0; i < 100; ++i) {
    m_engine.SetBotName();
    names.insert(m_engine.GetBotName());
  }
  EXPECT_EQ(names, (std::set<std::string>{"%NAME_USER%", "Bo", "Cilla"}));
}

const std::string kSelection =
    "[WELCOME]\n!welcome\n[START]\n!start\n[REPEAT]\n!repeat\n"
    "[IMITATE]\n!imitate\n[SPEAK]\n?hej\n!speak\n[NOTFOUND]\n!notfound\n";

TEST_F(EngineTest, GetReplyChoosesTheBlockOfTheSituation) {
  const std::string none = "#ERROR_NOVARIABLEANSWER#";
  // clang-format off
  const struct { std::string profile; Texts inputs; std::string replies; } rows[] = {
      {kSelection, {"hej", "hej"}, "welcome|start|repeat"},
      {kSelection, {"x", "hej", "HEJ", "hej!"}, "welcome|start|speak|repeat|speak"},
      {kSelection, {"x", "Notfound", "b"}, "welcome|start|notfound|imitate"},
      {kSelection, {"x", "notfound", "notfound"}, "welcome|start|notfound|repeat"},
      {"[WELCOME]\n?hej\n[SPEAK]\n?hej\n!speak\n", {"hej", "hej"},
       "#ERROR_WELCOMEEMPTY#|" + none + "|" + none},
      {"[WELCOME]\n!Hej %NAME_PLADDO%\n[START]\n!A\n[NOTFOUND]\n!nf\n", {"a", "b", "c"},
       "Hej Pladdo|A|" + none + "|nf"},
      {"[START]\n!s\n", {"a", "b"}, "#ERROR_WELCOMEEMPTY#|s|" + none},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.profile);
    UseProfile(row.profile);
    EXPECT_EQ(Talk(row.inputs), row.replies);
  }
}

// ---- The worked conversation ------------------------------------------------

const std::string kExampleUtf8 =
    "[INFO]\nname=Exempel\nlanguage=svenska\n[NAME]\n!Kalle\n"
    "[WELCOME]\n!Hej! Vad heter du?\n"
    "[START]\n!Trevligt att tr\xC3\xA4"
    "ffas, %NAME_USER%.\n"
    "[REPEAT]\n!Du upprepar dig.\n[IMITATE]\n!H\xC3\xA4rmar du mig?\n"
    "[SPEAK]\n?jag heter*\n?mitt namn \xC3\xA4r*\n"
    "!Hej %@FE%, jag heter %NAME_PLADDO%.\n"
    "?klockan\n!Den \xC3\xA4r %SYS_TIME_HH%.%SYS_TIME_MM%.\n"
    "?jag tror att\n!Varf\xC3\xB6r tror du att %FE%?\n"
    "[NOTFOUND]\n!%sv\xC3\xA5r%\n[SV\xC3\x85R]\n!Ber\xC3\xA4tta mer.\n"
    "!Jas\xC3\xA5?\n";

TEST_P(BothEncodings, TheWorkedConversationRunsAsDescribed) {
  UseProfile(Encode(kExampleUtf8),
             Encode("[svenska]\n\"du\" \"jag\"\n\"mig\" \"dig\"\n"
                    "\"v\xC3\xA5r\" \"er\"\n"));
  SetFixedTime(At(2026, 5, 17, 14, 5, 0));
  m_engine.Reset();
  m_engine.SetBotName();
  EXPECT_EQ(m_engine.GetBotName(), "Kalle");
  EXPECT_EQ(m_engine.GetWelcome(), "Hej! Vad heter du?");
  m_engine.SetUserName("Anna");
  // clang-format off
  const struct { std::string input, reply, capture; } turns[] = {
      {"Anna", "Trevligt att tr\xE4" "ffas, Anna.", ""},
      {"Jag heter Anna.", "Hej Anna, jag heter Kalle.", "anna"},
      {"Mitt namn \xC4r \xD6rjan", "Hej \xD6rjan, jag heter Kalle.", "\xF6rjan"},
      {"Jag tror att du hatar mig", "Varf\xF6r tror du att jag hatar dig?", "jag hatar dig"},
      {"jag tror att v\xC5r katt jagade jag", "Varf\xF6r tror du att er katt jagade jag?",
       "er katt jagade jag"},
      {"Vad \xE4r klockan?", "Den \xE4r 14.05.", ""},
      {"Vad \xE4r klockan?", "Du upprepar dig.", ""},
      // NOTFOUND draws from the block; the user typing back an answer that
      // the bot then gives again brings IMITATE.
      {"vet inte", "Jas\xE5?", ""},
      {"Jas\xE5?", "Jas\xE5?", ""},
      {"nej", "H\xE4rmar du mig?", ""},
  };
  // clang-format on
  for (const auto& turn : turns) {
    SCOPED_TRACE(turn.input);
    m_engine.SetInput(turn.input);
    EXPECT_EQ(m_engine.GetReply(), turn.reply);
    EXPECT_EQ(m_engine.GetCapture(), turn.capture);
  }
  // A restart forgets the user and the turns but keeps profile and table.
  EXPECT_EQ(Talk({"Bo", "jag tror att du"}),
            "Hej! Vad heter du?|Trevligt att"
            " tr\xE4"
            "ffas, .|Varf\xF6r tror du att jag?");
  EXPECT_EQ(m_engine.GetBotName(), "Pladdo");
}

}  // namespace
}  // namespace pladdo
