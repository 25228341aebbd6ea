// The engine's record of how its last welcome or reply came about.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/ProfileCache.h"
#include "engine/Random.h"
#include "tests/TestUtil.h"
#include "tests/engine/EngineTestAccess.h"

namespace pladdo {
namespace {

// The profile, its lines numbered as the checker numbers them.
constexpr const char* kProfile =
    "[INFO]\nlanguage=svenska\n[WELCOME]\n!Hej %h\xE4lsning%!\n"      // 1-4
    "[START]\n# a comment between two rows\n!Hej %NAME_USER%.\n"      // 5-7
    "[REPEAT]\n!Du upprepar dig.\n[IMITATE]\n!H\xE4rmar du mig?\n"    // 8-11
    "[SPEAK]\n?jag tror  att*\n!Tror du att %FE%?\n"                  // 12-14
    "?eko\n!%FE%!\n?fil\n!%WORDS|ord%\n?djup\n!%a%\n"                 // 15-20
    "[NOTFOUND]\n!Jas\xE5.\n[h\xE4lsning]\n!%@NAME_PLADDO% h\xE4r\n"  // 21-24
    "[a]\n!x %a%\n";                                                  // 25-26

class TraceTest : public ::testing::TestWithParam<bool> {
 protected:
  TraceTest() {
    ClearProfileCache();
    if (GetParam()) SetProfileCacheMargin(std::chrono::seconds(0));
    m_dir.Write("words.txt", "# a file variable's file\n[ord]\n!ett ord\n");
    std::string profile = kProfile;
    profile.replace(profile.find("WORDS"), 5, File("words.txt"));
    m_dir.Write("bot.ppf", profile);
    m_dir.Write("language.dat", "[svenska]\n\"jag\" \"du\"\n");
    PinRandomSeed(3);
  }
  ~TraceTest() override {
    UnpinRandomSeed();
    SetProfileCacheMargin(kProfileCacheMargin);
    ClearProfileCache();
  }
  std::string File(std::string_view name) const { return m_dir.File(name); }
  CChatEngine& Start(CChatEngine& engine) {
    engine.SetLanguageFile(File("language.dat"));
    engine.SetProfile(File("bot.ppf"));
    engine.SetBotName("Pladdo");
    return engine;
  }
  static std::string Row(const TraceRow& row) {
    return row.nLine == 0 ? "-" : std::to_string(row.nLine) + ":" + row.strText;
  }
  // Rule, block, rows, capture, then each variable as depth name=value@row.
  std::string Describe(const ReplyTrace& t) const {
    std::string text = std::to_string(static_cast<int>(t.situation)) + " " +
                       t.strBlock + " p=" + Row(t.pattern) +
                       " d=" + Row(t.droppedPattern) + " c=" + t.strCaptured +
                       ">" + t.strSwapped + " a=" + Row(t.answer);
    for (const TraceVariable& v : t.variables) {
      text +=
          " | " + std::to_string(v.nDepth) + v.strVariable + "=" + v.strValue;
      if (v.bBlock) {
        text += "@" + std::filesystem::path(v.row.strFile).filename().string() +
                ":" + Row(v.row);
      }
    }
    return text + " => " + t.strReply;
  }

  test::TempDir m_dir;
};

INSTANTIATE_TEST_SUITE_P(Trace, TraceTest, ::testing::Bool(),
                         [](const auto& param) {
                           return param.param ? "Memory" : "Disk";
                         });

TEST_P(TraceTest, TellsTheRuleTheRowsTheCaptureAndTheVariables) {
  // clang-format off
  const struct { const char* what; std::vector<std::string> inputs; std::string trace; } rows[] = {
      {"welcome: a block variable, capitalised, drawn from its row", {},
       "1 WELCOME p=- d=- c=> a=4:!Hej %h\xE4lsning%! | 0%h\xE4lsning%=%@NAME_PLADDO% h\xE4r"
       "@bot.ppf:24:!%@NAME_PLADDO% h\xE4r | 1%@NAME_PLADDO%=Pladdo => Hej Pladdo h\xE4r!"},
      {"first turn: START, past a comment line", {"Anna"},
       "2 START p=- d=- c=> a=7:!Hej %NAME_USER%. | 0%NAME_USER%=Anna => Hej Anna."},
      {"repeat", {"Anna", "hej", "HEJ"}, "3 REPEAT p=- d=- c=> a=9:!Du upprepar dig. => Du upprepar dig."},
      {"imitate: the line before equals the answer that followed it",
       {"Anna", "jas\xE5.", "x"},
       "4 IMITATE p=- d=- c=> a=11:!H\xE4rmar du mig? => H\xE4rmar du mig?"},
      {"keyword: capture before and after the swap", {"Anna", "Jag tror att jag vinner"},
       "5 SPEAK p=13:?jag tror att* d=- c=jag vinner>du vinner a=14:!Tror du att %FE%? "
       "| 0%FE%=du vinner => Tror du att du vinner?"},
      {"keyword passed over: nothing captured, every answer needs it", {"Anna", "eko!"},
       "6 NOTFOUND p=- d=15:?eko c=> a=22:!Jas\xE5. => Jas\xE5."},
      {"file variable: the row of the other file", {"Anna", "en fil"},
       "5 SPEAK p=17:?fil d=- c=> a=18:!%WORDS|ord% | 0%WORDS|ord%=ett ord@words.txt:3:!ett ord"
       " => ett ord"},
      {"fallback", {"Anna", "n\xE5got annat"}, "6 NOTFOUND p=- d=- c=> a=22:!Jas\xE5. => Jas\xE5."},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    CChatEngine engine, untraced;
    CChatEngineTestAccess(untraced).SetTracing(false);
    std::string replies[2];
    for (CChatEngine* e : {&engine, &untraced}) {
      std::string& reply = replies[e == &untraced];
      reply = Start(*e).GetWelcome();
      for (const std::string& input : row.inputs) {
        if (!e->HasUserName()) e->SetUserName(input);
        e->SetInput(input);
        reply += "|" + std::string(e->GetReply());
      }
    }
    EXPECT_EQ(replies[0], replies[1]) << "the recording changed a reply";
    EXPECT_EQ(untraced.GetTrace().situation, TraceSituation::None);
    std::string expected = row.trace;
    for (std::size_t at; (at = expected.find("WORDS")) != std::string::npos;)
      expected.replace(at, 5, File("words.txt"));
    EXPECT_EQ(Describe(engine.GetTrace()), expected);
  }
}

TEST_P(TraceTest, NotesDepthAndBudgetAndAMissingProfile) {
  CChatEngine engine;
  engine.SetProfile(File("bot.ppf"));
  for (const char* input : {"Anna", "djup"})
    engine.SetInput(input), (void)engine.GetReply();
  const ReplyTrace& trace = engine.GetTrace();
  // %a% inside %a%: 21 evaluations, the last one wrapped.
  ASSERT_EQ(trace.variables.size(), 21u);
  for (std::size_t i = 0; i < trace.variables.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(trace.variables[i].nDepth, static_cast<int>(i));
    EXPECT_EQ(trace.variables[i].row.nLine, 26);
    EXPECT_EQ(trace.variables[i].bDepthNote, i == 20);
  }

  // The doubling block spends the budget: what comes after is only noted.
  engine.SetProfile(m_dir.Write("2.ppf", "[START]\n!%d%\n[d]\n!%d% %d%\n"));
  engine.Reset(), engine.SetInput("x"), (void)engine.GetReply();
  EXPECT_EQ(engine.GetTrace().variables.size(), kTraceVariables);
  EXPECT_GT(engine.GetTrace().nVariablesOmitted, kExpandBudget - 200);

  engine.SetProfile(File("saknas.ppf"));
  engine.SetInput("y");
  EXPECT_EQ(engine.GetReply(), "#ERROR_NOPROFILE#");
  EXPECT_EQ(engine.GetTrace().situation, TraceSituation::NoProfile);
  EXPECT_EQ(engine.GetTrace().strProfile, File("saknas.ppf"));
  (void)engine.GetWelcome();
  EXPECT_EQ(engine.GetTrace().situation, TraceSituation::NoProfile);
}

}  // namespace
}  // namespace pladdo
