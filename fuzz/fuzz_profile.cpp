// Fuzz target: arbitrary profile bytes and a few input lines through a whole
// conversation (language table, bot name, welcome, replies, name listing).
//
// Input layout: the profile, then the line "--", then one input per line.
// The profile bytes double as the language file, so the table loader reads
// hostile bytes as well. Each conversation runs three times and must show
// the same every time: reading the file line by line from disk with the trace
// read after every answer, replaying it from the stream's cache without
// reading the trace, and replaying it with the trace's recording switched
// off.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/Clock.h"
#include "engine/ProfileCache.h"
#include "engine/ProfileStream.h"
#include "engine/Random.h"
#include "fuzz/FuzzFiles.h"
#include "tests/engine/EngineTestAccess.h"

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

enum class Trace { Read, Unread, Off };

// Reads the trace of the answer just given: it must name that answer, and a
// keyword answer must name a pattern row.
void ReadTrace(const pladdo::CChatEngine& engine, std::string_view answer) {
  const pladdo::ReplyTrace& trace = engine.GetTrace();
  if (trace.strReply != answer) std::abort();
  if (trace.situation == pladdo::TraceSituation::Keyword &&
      (trace.pattern.nLine <= 0 || !trace.pattern.strText.starts_with('?'))) {
    std::abort();
  }
}

// Runs the whole conversation on the profile at path and returns everything
// the engine showed.
std::vector<std::string> Converse(const std::string& path,
                                  std::string_view inputs, Trace trace) {
  using namespace pladdo;
  PinRandomSeed(1);
  SetFixedTime(FixedTime());
  std::vector<std::string> shown;
  CChatEngine engine;
  CChatEngineTestAccess(engine).SetTracing(trace != Trace::Off);
  engine.SetLanguageFile(path);
  engine.SetProfile(path);
  engine.Reset();
  engine.SetBotName();
  shown.push_back(engine.GetBotName());
  shown.emplace_back(engine.GetWelcome());
  if (trace == Trace::Read) ReadTrace(engine, shown.back());

  for (int turn = 0; turn < kMaxInputs && !inputs.empty(); ++turn) {
    const std::size_t eol = inputs.find('\n');
    const std::string_view line = inputs.substr(0, eol);
    inputs = eol == std::string_view::npos ? std::string_view{}
                                           : inputs.substr(eol + 1);
    if (!engine.HasUserName()) engine.SetUserName(line);
    engine.SetInput(line);
    shown.emplace_back(engine.GetReply());
    if (trace == Trace::Read) ReadTrace(engine, shown.back());
  }

  const std::vector<std::string> names = engine.GetNames();
  shown.insert(shown.end(), names.begin(),
               names.begin() + std::min<std::size_t>(names.size(), 4));
  for (int field = 0; field <= 4; ++field) {
    shown.emplace_back(engine.GetInfo(static_cast<InfoField>(field)));
  }
  return shown;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace pladdo;
  const std::string_view all = fuzz::AsText(data, size);
  const std::size_t cut = all.find(kSeparator);
  const std::string_view profile = all.substr(0, cut);
  const std::string_view inputs = cut == std::string_view::npos
                                      ? std::string_view{}
                                      : all.substr(cut + kSeparator.size());
  const std::string path = fuzz::WriteScratchFile("profile.ppf", profile);

  // Line by line from disk, as a file too large to hold; then twice more
  // with the file held and counting as unchanged at once, so that the first
  // lookup keeps its lines and every later one replays them. Reading the
  // trace, or not recording it at all, must change nothing either.
  CProfileStream::SetMaxHeldFileBytes(0);
  const std::vector<std::string> direct = Converse(path, inputs, Trace::Read);
  CProfileStream::SetMaxHeldFileBytes(kMaxHeldFileBytes);
  CProfileStream::SetCacheMargin(std::chrono::nanoseconds(0));
  CProfileStream::ClearCache();
  const std::vector<std::string> cached = Converse(path, inputs, Trace::Unread);
  const std::vector<std::string> untraced = Converse(path, inputs, Trace::Off);
  CProfileStream::ClearCache();
  if (direct != cached || cached != untraced) std::abort();
  return 0;
}
