// Fuzz target: answer expansion of arbitrary answers against a fixture
// profile with ordinary, empty, self-nesting and doubling block variables.
//
// Input layout (FuzzedDataProvider): user name, capture text, depth, then the
// answer. "$D/" in the answer stands for the folder of the fixture files, so
// that "%$D/ord.txt|färg%" reaches the second file.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "engine/ChatEngine.h"
#include "engine/Clock.h"
#include "engine/Random.h"
#include "fuzz/FuzzFiles.h"
#include "tests/engine/EngineTestAccess.h"

namespace {

// Windows-1252 bytes, as a user's file would hold them (\xE4 is "ä").
constexpr char kProfile[] =
    "[INFO]\nname=Fixtur\nlanguage=svenska\n"
    "[NAME]\n!Kalle\n"
    "[h\xE4lsning]\n!hej\n!tjena\n"
    "[tom]\n?inget svar\n"
    "[a]\n!x %a%\n"
    "[dubbel]\n!%dubbel% %dubbel%\n"
    "[kedja]\n!%h\xE4lsning% och %@NAME_USER%\n"
    "[WELCOME]\n!Hej %NAME_USER%\n"
    "[svenska]\n\"jag\" \"du\"\n\"mig\" \"dig\"\n";
constexpr char kWords[] =
    "[f\xE4rg]\n!r\xF6"
    "d\n!bl\xE5\n";

struct Fixture {
  std::string folder;
  std::string profile;
  Fixture() {
    profile = pladdo::fuzz::WriteScratchFile("fixture.ppf", kProfile);
    pladdo::fuzz::WriteScratchFile("ord.txt", kWords);
    folder = pladdo::fuzz::ScratchFolder().string() + "/";
  }
};

const Fixture& GetFixture() {
  static const Fixture fixture;
  return fixture;
}

void ReplaceAll(std::string& text, const std::string& from,
                const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace pladdo;
  const Fixture& fixture = GetFixture();
  PinRandomSeed(1);
  std::tm now{};
  now.tm_year = 102;
  now.tm_mon = 11;
  now.tm_mday = 4;
  SetFixedTime(now);

  FuzzedDataProvider in(data, size);
  const std::string userName = in.ConsumeRandomLengthString(64);
  const std::string captured = in.ConsumeRandomLengthString(64);
  const int depth = in.ConsumeIntegralInRange(0, kExpandDepth + 2);
  std::string answer = in.ConsumeRemainingBytesAsString();
  ReplaceAll(answer, "$D/", fixture.folder);

  CChatEngine engine;
  engine.SetLanguageFile(fixture.profile);
  engine.SetProfile(fixture.profile);
  engine.SetUserName(userName);
  CChatEngineTestAccess access(engine);
  access.CaptureRest(captured, 0);

  // The checker's walk over the variables of a row.
  std::size_t pos = 0;
  std::string variable;
  for (int i = 0;
       i < 8 && CChatEngineTestAccess::FindVariable(answer, variable, pos);
       ++i) {
    pos += variable.size();
    access.EvaluateVariable(variable);
  }

  access.ExpandAnswer(answer, depth);
  return 0;
}
