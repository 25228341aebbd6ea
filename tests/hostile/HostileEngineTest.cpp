// Hostile files and inputs against the engine: unusable paths, binary and
// oddly encoded profiles, a 50 MB line, 200,000 blocks, a profile changed
// between replies, 100,000 word pairs, a 1 MB input and user names made of
// variables. Every case runs in a child process that is killed when it does
// not finish, so a hang fails its own row instead of the suite.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/Clock.h"
#include "engine/ProfileStream.h"
#include "engine/Random.h"
#include "tests/hostile/HostileUtil.h"

namespace pladdo::hostile {
namespace {

// Generous: every case takes well under a second when nothing is wrong.
constexpr int kChildSeconds = 30;

// A small profile in Windows-1252, as a user's file holds it; every block
// has one answer, so replies do not depend on the random choice.
constexpr char kProfile[] =
    "[INFO]\nname=Test\nlanguage=svenska\n"
    "[NAME]\n!Testbot\n"
    "[WELCOME]\n!Hej!\n"
    "[START]\n!Trevligt att tr\xE4" "ffas, %NAME_USER%!\n"
    "[REPEAT]\n!Du upprepar dig.\n"
    "[IMITATE]\n!H\xE4rmar du mig?\n"
    "[SPEAK]\n?jag heter*\n!Hej %@FE%!\n?alfa\n!Svar alfa\n"
    "[NOTFOUND]\n!Inget\n"
    "[dubbel]\n!%dubbel% %dubbel%\n";
constexpr char kLanguage[] = "[svenska]\n\"jag\" \"du\"\n\"mig\" \"dig\"\n";

// Runs a conversation: the welcome, then one reply per input, the first
// input also being the user's name as the window makes it.
std::vector<std::string> Converse(CChatEngine& engine,
                                  const std::vector<std::string>& inputs) {
  std::vector<std::string> shown;
  engine.Reset();
  engine.SetBotName();
  shown.emplace_back(engine.GetWelcome());
  for (const std::string& input : inputs) {
    if (!engine.HasUserName()) engine.SetUserName(input);
    engine.SetInput(input);
    shown.emplace_back(engine.GetReply());
  }
  return shown;
}

void Prepare(CChatEngine& engine, const std::string& profile,
             const std::string& language) {
  PinRandomSeed(1);
  engine.SetLanguageFile(language);
  engine.SetProfile(profile);
}

// Fails the current test with the child's reason when it did not finish.
#define ASSERT_FINISHED(result) \
  ASSERT_TRUE((result).finished) << (result).failure

// ---------------------------------------------------------------------------
// Paths that are not readable profile files

struct UnusablePath {
  const char* what;
  std::function<std::string(const TempFolder&)> make;
};

std::string MissingFile(const TempFolder& dir) { return dir.File("saknas.ppf"); }
std::string Directory(const TempFolder& dir) {
  const std::string path = dir.File("mapp.ppf");
  mkdir(path.c_str(), 0700);
  return path;
}
std::string Fifo(const TempFolder& dir) {
  const std::string path = dir.File("fifo.ppf");
  mkfifo(path.c_str(), 0600);
  return path;
}
std::string CharDevice(const TempFolder&) { return "/dev/zero"; }

const UnusablePath kUnusablePaths[] = {
    {"a missing file", MissingFile},
    {"a directory", Directory},
    {"a FIFO nobody writes to", Fifo},
    {"the endless character device /dev/zero", CharDevice},
};

class UnusablePathTest : public ::testing::TestWithParam<UnusablePath> {};

TEST_P(UnusablePathTest, AsProfileGivesTheCannotOpenCodesWithoutBlocking) {
  TempFolder dir;
  const std::string path = GetParam().make(dir);
  const std::string language = dir.Write("language.dat", kLanguage);
  const ChildResult result = RunBounded(kChildSeconds, [&] {
    CChatEngine engine;
    Prepare(engine, path, language);
    std::vector<std::string> texts = Converse(engine, {"Anna", "hej"});
    texts.push_back(engine.GetBotName());
    texts.emplace_back(engine.GetInfo(InfoField::Name));
    texts.push_back(engine.CheckProfile());
    return texts;
  });
  ASSERT_FINISHED(result);
  const std::vector<std::string> expected = {
      "#ERROR_CANTOPENFILE#", "#ERROR_NOPROFILE#", "#ERROR_NOPROFILE#",
      "Pladdo", " ",
      "#FILENAME# " + path + "\n#DEBUG_COLDNTOPENFILE#\n"};
  EXPECT_EQ(result.texts, expected);
}

TEST_P(UnusablePathTest, AsVariableFileGivesTheCannotOpenNote) {
  TempFolder dir;
  const std::string path = GetParam().make(dir);
  const std::string profile =
      dir.Write("fil.ppf", "[WELCOME]\n!Fil: %" + path + "|rad%.\n");
  const ChildResult result = RunBounded(kChildSeconds, [&] {
    CChatEngine engine;
    Prepare(engine, profile, dir.File("ingen.dat"));
    return std::vector<std::string>{std::string(engine.GetWelcome())};
  });
  ASSERT_FINISHED(result);
  EXPECT_EQ(result.texts,
            std::vector<std::string>{
                "Fil: [#ERROR_VARIABELCANTOPENFILE# " + path + " ]."});
}

TEST_P(UnusablePathTest, AsLanguageFileLeavesTheTableEmpty) {
  TempFolder dir;
  const std::string path = GetParam().make(dir);
  const std::string profile = dir.Write("test.ppf", kProfile);
  const ChildResult result = RunBounded(kChildSeconds, [&] {
    CChatEngine engine;
    Prepare(engine, profile, path);
    return std::vector<std::string>{
        std::to_string(engine.GetFromWords().size()), engine.GetLanguage()};
  });
  ASSERT_FINISHED(result);
  EXPECT_EQ(result.texts, (std::vector<std::string>{"0", "svenska"}));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, UnusablePathTest, ::testing::ValuesIn(kUnusablePaths),
    [](const auto& row) {
      std::string name;
      for (const char* p = row.param.what; *p != '\0'; ++p) {
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
      }
      return name;
    });

// ---------------------------------------------------------------------------
// Binary and oddly encoded profiles

// Bytes of a fixed pseudo-random sequence, without "[" so that no block
// header can appear by chance.
std::string NoiseBytes(std::size_t count) {
  std::string bytes;
  std::uint32_t state = 12345;
  for (std::size_t i = 0; i < count; ++i) {
    state = state * 1103515245u + 12345u;
    char c = static_cast<char>((state >> 16) & 0xFF);
    bytes.push_back(c == '[' ? 'x' : c);
  }
  return bytes;
}

std::string Utf16Le(std::string_view ascii) {
  std::string bytes = "\xFF\xFE";
  for (char c : ascii) {
    bytes.push_back(c);
    bytes.push_back('\0');
  }
  return bytes;
}

// The bytes of a literal, NUL bytes included.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

struct OddProfile {
  const char* what;
  std::string bytes;
  std::string welcome;
  std::string botName;
};

const OddProfile kOddProfiles[] = {
    {"NUL bytes inside rows read as blanks",
     Bytes("\0[WELCOME]\0\n!Hej\0d\xE4r\n[NAME]\n\0!Nolla\n"),
     "Hej d\xE4r", "Nolla"},
    {"Noise without any block header",
     NoiseBytes(64 * 1024), "#ERROR_WELCOMEEMPTY#", "#ERROR_NOVARIABLEANSWER#"},
    {"UTF-16 with a byte order mark has no header the reader knows",
     Utf16Le("[WELCOME]\n!Hej\n[NAME]\n!Sexton\n"), "#ERROR_WELCOMEEMPTY#",
     "#ERROR_NOVARIABLEANSWER#"},
    {"A row that is not valid UTF-8 is kept as Windows-1252 bytes",
     "[WELCOME]\n!Caf\xC3\xA9 \xC3\n[NAME]\n!Bot\n", "Caf\xC3\xA9 \xC3", "Bot"},
    {"A row of valid UTF-8 is converted",
     "[WELCOME]\n!Caf\xC3\xA9\n[NAME]\n!Bot\n", "Caf\xE9", "Bot"},
    {"Carriage returns and form feeds are blanks",
     "[WELCOME]\r\n\f!Hej\r\r\n[NAME]\r\n!Bot\r\n", "Hej", "Bot"},
};

class OddProfileTest : public ::testing::TestWithParam<OddProfile> {};

TEST_P(OddProfileTest, GivesAnAnswerOrACodeAndTheCheckerFinishes) {
  TempFolder dir;
  const std::string path = dir.Write("odd.ppf", GetParam().bytes);
  const ChildResult result = RunBounded(kChildSeconds, [&] {
    CChatEngine engine;
    Prepare(engine, path, dir.File("ingen.dat"));
    std::vector<std::string> texts = Converse(engine, {});
    texts.push_back(engine.GetBotName());
    const std::string report = engine.CheckProfile();
    const bool verdict = report.ends_with("\n#NOERROR#") ||
                         report.ends_with(" #ERRORFOUND#");
    texts.push_back(verdict ? "verdict" : report);
    return texts;
  });
  ASSERT_FINISHED(result);
  EXPECT_EQ(result.texts, (std::vector<std::string>{
                              GetParam().welcome, GetParam().botName, "verdict"}));
}

INSTANTIATE_TEST_SUITE_P(Bytes, OddProfileTest, ::testing::ValuesIn(kOddProfiles),
                         [](const auto& row) {
                           return "Row" + std::to_string(row.index);
                         });

// ---------------------------------------------------------------------------
// Size: one 50 MB line, 200,000 blocks. The files count as unchanged at once
// (no cache margin), so that after the first pass they are replayed from
// memory as an old profile is; the changes below test both ways of reading.

TEST(HugeProfile, FiftyMegabyteLineIsCutAndLineNumbersStayTrue) {
  TempFolder dir;
  std::string bytes = "[WELCOME]\n!";
  bytes.append(50u << 20, 'x');
  bytes +=
      "\n!Hej\n[START]\n!Start\n[SPEAK]\n?alfa\n!Svar alfa\n"
      "[NOTFOUND]\n!Inget\nhej\n";
  const std::string path = dir.Write("lang.ppf", bytes);
  bytes.clear();
  bytes.shrink_to_fit();
  const ChildResult result = RunBounded(kChildSeconds, [&] {
    CProfileStream::SetCacheMargin(std::chrono::nanoseconds(0));
    CChatEngine engine;
    Prepare(engine, path, dir.File("ingen.dat"));
    engine.LoadBlock("WELCOME");
    std::vector<std::string> texts = engine.GetAnswers();
    const std::vector<std::string> replies =
        Converse(engine, {"Anna", "alfa", "beta"});
    texts.insert(texts.end(), replies.begin() + 1, replies.end());
    const std::string report = engine.CheckProfile();
    texts.push_back(report.substr(report.rfind("\n[NOTFOUND]")));
    return texts;
  });
  ASSERT_FINISHED(result);
  const std::vector<std::string> expected = {
      std::string(1022, 'x'), "Hej", "Start", "Svar alfa", "Inget",
      "\n[NOTFOUND]\n[11] hej\n#ILLEGALROW#\n\n2 #ERRORFOUND#"};
  EXPECT_EQ(result.texts, expected);
}

TEST(HugeProfile, TwoHundredThousandBlocksAreAllReachable) {
  TempFolder dir;
  std::string bytes = "[INFO]\nlanguage=svenska\n[NAME]\n!Block\n";
  for (int i = 0; i < 200000; ++i) {
    bytes += "[B" + std::to_string(i) + "]\n!svar " + std::to_string(i) + "\n";
  }
  bytes +=
      "[START]\n!Start %B123456%\n[SPEAK]\n?sista\n!Sista %B199999%\n"
      "[NOTFOUND]\n!Inget %B0%\n[WELCOME]\n!V\xE4lkommen %@B7%\n";
  const std::string path = dir.Write("block.ppf", bytes);
  const std::string language = dir.Write("language.dat", kLanguage);
  const ChildResult result = RunBounded(kChildSeconds, [&] {
    CProfileStream::SetCacheMargin(std::chrono::nanoseconds(0));
    CChatEngine engine;
    Prepare(engine, path, language);
    std::vector<std::string> texts = Converse(engine, {"Anna", "sista", "annat"});
    const std::string report = engine.CheckProfile();
    texts.push_back(report.substr(report.rfind('\n')));
    return texts;
  });
  ASSERT_FINISHED(result);
  const std::vector<std::string> expected = {
      "V\xE4lkommen Svar 7", "Start svar 123456", "Sista svar 199999",
      "Inget svar 0", "\n#NOERROR#"};
  EXPECT_EQ(result.texts, expected);
}

// ---------------------------------------------------------------------------
// The profile changes between two replies

// Sets path's access and modification times to a fixed moment (this still
// moves its change time to now).
void SetFixedTimes(const std::string& path) {
  const timespec times[2] = {{1000000000, 123456789}, {1000000000, 123456789}};
  utimensat(AT_FDCWD, path.c_str(), times, 0);
}

struct ProfileChange {
  const char* what;
  void (*change)(const std::string& path);
  const char* replyAfter;
};

constexpr char kChangingProfile[] =
    "[START]\n!Start\n[SPEAK]\n?alfa\n!Svar alfa\n[NOTFOUND]\n!Inget\n";
constexpr char kSameSizeEdit[] =
    "[START]\n!Start\n[SPEAK]\n?alfa\n!Svar ALFA\n[NOTFOUND]\n!Inget\n";
static_assert(sizeof kChangingProfile == sizeof kSameSizeEdit);

const ProfileChange kChanges[] = {
    {"deleted", [](const std::string& p) { unlink(p.c_str()); },
     "#ERROR_NOPROFILE#"},
    {"truncated to nothing", [](const std::string& p) { truncate(p.c_str(), 0); },
     "#ERROR_NOVARIABLEANSWER#"},
    {"truncated after the pattern row",
     [](const std::string& p) { truncate(p.c_str(), 29); },
     "#ERROR_NOVARIABLEANSWER#"},
    {"rewritten with the same size at once",
     [](const std::string& p) { WriteBytes(p, kSameSizeEdit); }, "Svar ALFA"},
    {"rewritten with the same size and the same modification time",
     [](const std::string& p) {
       WriteBytes(p, kSameSizeEdit);
       SetFixedTimes(p);
     },
     "Svar ALFA"},
};

// The second parameter: true reads through the cache (no margin, so the file
// counts as unchanged at once and its lines are kept after the first reply),
// false straight from the file (the file changed too recently to be kept).
class ProfileChangeTest
    : public ::testing::TestWithParam<std::tuple<ProfileChange, bool>> {};

TEST_P(ProfileChangeTest, NextReplyUsesTheFileAsItIsNow) {
  const ProfileChange& change = std::get<0>(GetParam());
  const bool cached = std::get<1>(GetParam());
  TempFolder dir;
  const std::string path = dir.Write("byte.ppf", kChangingProfile);
  SetFixedTimes(path);
  const ChildResult result = RunBounded(kChildSeconds, [&] {
    if (cached) {
      CProfileStream::SetCacheMargin(std::chrono::nanoseconds(0));
    }
    CChatEngine engine;
    Prepare(engine, path, dir.File("ingen.dat"));
    std::vector<std::string> texts = Converse(engine, {"Anna", "alfa"});
    // Past the clock tick of the file system's timestamps, so that a change
    // now gives the file a change time of its own.
    usleep(30000);
    change.change(path);
    engine.SetInput("alfa igen");
    texts.emplace_back(engine.GetReply());
    // Put back as it was, the program carries on.
    usleep(30000);
    WriteBytes(path, kChangingProfile);
    SetFixedTimes(path);
    engine.SetInput("alfa en g\xE5ng till");
    texts.emplace_back(engine.GetReply());
    return texts;
  });
  ASSERT_FINISHED(result);
  const std::vector<std::string> expected = {
      "#ERROR_WELCOMEEMPTY#", "Start", "Svar alfa", change.replyAfter,
      "Svar alfa"};
  EXPECT_EQ(result.texts, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ProfileChangeTest,
    ::testing::Combine(::testing::ValuesIn(kChanges), ::testing::Bool()),
    [](const auto& row) {
      return "Row" + std::to_string(row.index / 2) +
             (std::get<1>(row.param) ? "_Cached" : "_Direct");
    });

// ---------------------------------------------------------------------------
// A large language table, a large input

// A word of letters only, so that whole-word tests treat it as one word.
std::string LetterWord(const char* prefix, int n) {
  std::string word = prefix;
  for (int i = 0; i < 4; ++i) {
    word.push_back(static_cast<char>('a' + n % 26));
    n /= 26;
  }
  return word;
}

TEST(HugeLanguageTable, HundredThousandPairsLoadAndSwap) {
  TempFolder dir;
  std::string table = "[svenska]\n";
  for (int i = 0; i < 100000; ++i) {
    table += "\"" + LetterWord("qx", i) + "\" \"" + LetterWord("zy", i) + "\"\n";
  }
  const std::string language = dir.Write("language.dat", table);
  const std::string profile = dir.Write("test.ppf", kProfile);
  const std::string input = "jag heter " + LetterWord("qx", 99999) + " och " +
                            LetterWord("zy", 5) + " och " + LetterWord("qx", 0);
  const ChildResult result = RunBounded(kChildSeconds, [&] {
    CChatEngine engine;
    Prepare(engine, profile, language);
    std::vector<std::string> texts = Converse(engine, {"Anna", input});
    texts.push_back(std::to_string(engine.GetFromWords().size()));
    return texts;
  });
  ASSERT_FINISHED(result);
  std::string capital = LetterWord("zy", 99999);
  capital[0] = 'Z';
  const std::vector<std::string> expected = {
      "Hej!", "Trevligt att tr\xE4" "ffas, Anna!",
      "Hej " + capital + " och " + LetterWord("qx", 5) + " och " +
          LetterWord("zy", 0) + "!",
      "200000"};
  EXPECT_EQ(result.texts, expected);
}

TEST(HugeInput, OneMegabyteLineIsMatchedAndCaptured) {
  TempFolder dir;
  const std::string profile = dir.Write("test.ppf", kProfile);
  const std::string language = dir.Write("language.dat", kLanguage);
  std::string words;
  for (int i = 0; i < (1 << 20) / 8; ++i) words += i % 2 ? "mig     " : "anna    ";
  const std::string miss(1u << 20, 'b');
  const ChildResult result = RunBounded(kChildSeconds, [&] {
    CChatEngine engine;
    Prepare(engine, profile, language);
    return Converse(engine, {"Anna", "jag heter " + words, miss, "alfa"});
  });
  ASSERT_FINISHED(result);
  std::string capture;
  for (int i = 0; i < (1 << 20) / 8; ++i) capture += i % 2 ? " dig" : " anna";
  capture[1] = 'A';
  const std::vector<std::string> expected = {
      "Hej!", "Trevligt att tr\xE4" "ffas, Anna!", "Hej" + capture + "!",
      "Inget", "Svar alfa"};
  EXPECT_EQ(result.texts, expected);
}

// ---------------------------------------------------------------------------
// User names made of variables

struct VariableName {
  const char* what;
  std::string name;
  // The START answer, or "" when only its frame and bound are known.
  std::string answer;
};

std::string Repeat(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

const VariableName kVariableNames[] = {
    {"A built-in variable is expanded once more", "%SYS_DATE_YYYY%",
     "Trevligt att tr\xE4" "ffas, 2002!"},
    {"A name naming itself stops at the nesting depth", "%NAME_USER%",
     "Trevligt att tr\xE4" "ffas, [#ERROR_LOOPPROTECTION# %NAME_USER%]!"},
    {"A name doubling itself is held by the budget", "%NAME_USER%%NAME_USER%", ""},
    {"A name reaching a doubling block is held by the budget", "%dubbel%", ""},
    {"A long name of many self references is held by the budget",
     Repeat("%NAME_USER%", 1000), ""},
    {"A 100 KB name of self references is held by the budget",
     Repeat("%NAME_USER%", 9000), ""},
    {"A 1 MB name of self references is held by the budget",
     Repeat("%NAME_USER%", 95000), ""},
};

class VariableNameTest : public ::testing::TestWithParam<VariableName> {};

TEST_P(VariableNameTest, AnswersWithinBoundsAndTheConversationGoesOn) {
  TempFolder dir;
  const std::string profile = dir.Write("test.ppf", kProfile);
  const std::string name = GetParam().name;
  const ChildResult result = RunBounded(kChildSeconds, [&] {
    std::tm fixed{};
    fixed.tm_year = 102;
    fixed.tm_mon = 11;
    fixed.tm_mday = 4;
    SetFixedTime(fixed);
    CChatEngine engine;
    Prepare(engine, profile, dir.File("ingen.dat"));
    return Converse(engine, {name, "alfa"});
  });
  ASSERT_FINISHED(result);
  ASSERT_EQ(result.texts.size(), 3u);
  const std::string& answer = result.texts[1];
  if (!GetParam().answer.empty()) {
    EXPECT_EQ(answer, GetParam().answer);
  } else {
    EXPECT_TRUE(answer.starts_with("Trevligt att tr\xE4" "ffas, ")) << answer.substr(0, 80);
    EXPECT_TRUE(answer.ends_with("!"));
    EXPECT_NE(answer.find("[#ERROR_LOOPPROTECTION# "), std::string::npos);
    // Far more than any real answer, far less than the unbounded expansion.
    EXPECT_LE(answer.size(), 4u << 20);
  }
  EXPECT_EQ(result.texts[2], "Svar alfa");
}

INSTANTIATE_TEST_SUITE_P(Names, VariableNameTest, ::testing::ValuesIn(kVariableNames),
                         [](const auto& row) {
                           return "Row" + std::to_string(row.index);
                         });

}  // namespace
}  // namespace pladdo::hostile
