// Fuzz target: arbitrary profile bytes and a few input lines through a whole
// conversation (language table, bot name, welcome, replies, name listing).
//
// Input layout: the profile, then the line "--", then one input per line.
// The profile bytes double as the language file, so the table loader reads
// hostile bytes as well.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "engine/ChatEngine.h"
#include "engine/Clock.h"
#include "engine/Random.h"
#include "fuzz/FuzzFiles.h"

namespace {

constexpr std::string_view kSeparator = "\n--\n";
// Enough turns to reach REPEAT, IMITATE, SPEAK and NOTFOUND, few enough to
// keep each run short.
constexpr int kMaxInputs = 12;

std::tm FixedTime() {
  std::tm t{};
  t.tm_year = 102;
  t.tm_mon = 11;
  t.tm_mday = 4;
  t.tm_hour = 9;
  t.tm_min = 5;
  t.tm_sec = 7;
  return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace pladdo;
  const std::string_view all = fuzz::AsText(data, size);
  const std::size_t cut = all.find(kSeparator);
  const std::string_view profile = all.substr(0, cut);
  std::string_view inputs =
      cut == std::string_view::npos ? std::string_view{}
                                    : all.substr(cut + kSeparator.size());

  PinRandomSeed(1);
  SetFixedTime(FixedTime());
  const std::string path = fuzz::WriteScratchFile("profile.ppf", profile);

  CChatEngine engine;
  engine.SetLanguageFile(path);
  engine.SetProfile(path);
  engine.Reset();
  engine.SetBotName();
  std::string shown(engine.GetWelcome());

  for (int turn = 0; turn < kMaxInputs && !inputs.empty(); ++turn) {
    const std::size_t eol = inputs.find('\n');
    const std::string_view line = inputs.substr(0, eol);
    inputs = eol == std::string_view::npos ? std::string_view{}
                                           : inputs.substr(eol + 1);
    if (!engine.HasUserName()) engine.SetUserName(line);
    engine.SetInput(line);
    shown = engine.GetReply();
  }

  const int names = engine.GetNameCount();
  for (int i = 0; i < names && i < 4; ++i) shown = engine.GetNameAt(i);
  for (int field = -1; field <= 5; ++field) shown = engine.GetInfo(field);
  return 0;
}
