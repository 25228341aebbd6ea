// Benchmarks of the reply path on synthetic profiles of 100, 1,000 and 10,000
// keyword groups (hits and misses apart, median and 99th percentile of single
// replies, with the trace recorded and not), on the same profiles written a
// moment ago, of the welcome, the checker, the doubling-variable profile, the
// terminal front end's start-up, its peak memory, a 20,000-exchange
// conversation through it, the whole program answering 2,000 piped lines and
// `pladdo verify` on a profile with a sample per group, and of a lower bound:
// one in-memory pass of plain substring searches over the pattern rows.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/ProfileGen.h"
#include "engine/ChatEngine.h"
#include "engine/Codepage.h"
#include "engine/ProfileCache.h"
#include "engine/ProfileStream.h"
#include "engine/Random.h"
#include "engine/TextUtil.h"
#include "tests/engine/EngineTestAccess.h"
#include "ui/ChatDlg.h"
#include "ui/terminal/LineReader.h"
#include "ui/terminal/TerminalChat.h"
#include "ui/terminal/TerminalWindow.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using pladdo::CChatEngine;
using Clock = std::chrono::steady_clock;

constexpr int kInputCount = 64;

fs::path DataFolder() { return fs::path(PLADDO_BUILD_DIR) / "bench-data"; }

// Writes text to path unless the file already holds exactly that text.
// Returns true when it wrote.
bool WriteIfChanged(const fs::path& path, const std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (in) {
    std::ostringstream old;
    old << in.rdbuf();
    if (old.str() == text) return false;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  return true;
}

// The generated files, written once per data folder. Freshly written files
// are left to age past the stream's cache margin, so that every run measures
// the steady state of a profile that is not being edited.
struct Data {
  std::map<int, std::string> profiles;
  std::string withSamples;  // 10,000 groups, a sample line above each
  std::string doubling;
  std::string oneGroup;
  std::string language;
  Data() {
    fs::create_directories(DataFolder());
    bool wrote = false;
    for (int n : {100, 1000, 10000}) {
      const fs::path path =
          DataFolder() / ("synthetic-" + std::to_string(n) + ".ppf");
      wrote |= WriteIfChanged(path, pladdo::bench::MakeSyntheticProfile(n));
      profiles[n] = path.string();
    }
    const fs::path samplesPath = DataFolder() / "samples-10000.ppf";
    wrote |= WriteIfChanged(samplesPath,
                            pladdo::bench::MakeSyntheticProfile(10000, true));
    withSamples = samplesPath.string();
    const fs::path doublePath = DataFolder() / "doubling.ppf";
    wrote |= WriteIfChanged(doublePath, pladdo::bench::MakeDoublingProfile());
    doubling = doublePath.string();
    const fs::path onePath = DataFolder() / "one-group.ppf";
    wrote |= WriteIfChanged(onePath, pladdo::bench::MakeSyntheticProfile(1));
    oneGroup = onePath.string();
    language = (fs::path(PLADDO_BUILD_DIR) / "language.dat").string();
    // The stream keeps a file's lines in memory only once its last change
    // lies further back than the cache margin.
    if (wrote) {
      std::this_thread::sleep_for(pladdo::kProfileCacheMargin +
                                  std::chrono::milliseconds(500));
    }
  }
};

const Data& GetData() {
  static const Data data;
  return data;
}

std::vector<std::string> ToCp1252(const std::vector<std::string>& utf8) {
  std::vector<std::string> out;
  for (const std::string& s : utf8) out.push_back(pladdo::Utf8ToCp1252(s));
  return out;
}

// An engine on path that has had its welcome and its first (START) turn, as
// in a conversation, so that the timed replies are ordinary turns.
void StartConversation(CChatEngine& engine, const std::string& path) {
  pladdo::PinRandomSeed(1);
  engine.SetLanguageFile(GetData().language);
  engine.SetProfile(path);
  engine.Reset();
  engine.SetBotName();
  benchmark::DoNotOptimize(engine.GetWelcome());
  engine.SetUserName("Anna");
  engine.SetInput("Anna");
  benchmark::DoNotOptimize(engine.GetReply());
}

// Median and 99th percentile of the recorded latencies, as counters in µs.
void ReportPercentiles(benchmark::State& state, std::vector<double>& micros) {
  if (micros.empty()) return;
  std::sort(micros.begin(), micros.end());
  const auto at = [&](double q) {
    const auto i =
        static_cast<std::size_t>(q * static_cast<double>(micros.size() - 1));
    return micros[i];
  };
  state.counters["p50_us"] = at(0.50);
  state.counters["p99_us"] = at(0.99);
}

template <class Body>
void TimeEach(benchmark::State& state, Body body) {
  std::vector<double> micros;
  std::size_t i = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    body(i++);
    const std::chrono::duration<double> spent = Clock::now() - t0;
    state.SetIterationTime(spent.count());
    micros.push_back(spent.count() * 1e6);
  }
  ReportPercentiles(state, micros);
}

enum class Inputs { Hit, Miss, NearMiss };

std::vector<std::string> InputsFor(Inputs kind, int groups) {
  switch (kind) {
    case Inputs::Hit:
      return pladdo::bench::HitInputs(groups, kInputCount);
    case Inputs::Miss:
      return pladdo::bench::MissInputs(kInputCount);
    case Inputs::NearMiss:
      break;
  }
  return pladdo::bench::NearMissInputs(kInputCount);
}

void BM_Reply(benchmark::State& state, Inputs kind, bool tracing = true) {
  const int groups = static_cast<int>(state.range(0));
  CChatEngine engine;
  pladdo::CChatEngineTestAccess(engine).SetTracing(tracing);
  StartConversation(engine, GetData().profiles.at(groups));
  const std::vector<std::string> inputs = ToCp1252(InputsFor(kind, groups));
  // A hit must answer from its group, a miss from NOTFOUND: check once so
  // that a broken profile cannot produce fast, meaningless numbers.
  engine.SetInput(inputs[1]);
  const std::string first(engine.GetReply());
  const bool fromGroup = first.find("keyword") != std::string::npos;
  if (fromGroup != (kind == Inputs::Hit)) {
    state.SkipWithError(("unexpected answer: " + first).c_str());
    return;
  }
  TimeEach(state, [&](std::size_t i) {
    engine.SetInput(inputs[i % inputs.size()]);
    benchmark::DoNotOptimize(engine.GetReply());
  });
}
void BM_ReplyHit(benchmark::State& state) { BM_Reply(state, Inputs::Hit); }
// The same replies without recording the trace: what recording costs.
void BM_ReplyHitUntraced(benchmark::State& state) {
  BM_Reply(state, Inputs::Hit, false);
}
void BM_ReplyMiss(benchmark::State& state) { BM_Reply(state, Inputs::Miss); }
// Misses that share bytes with every pattern row: no row can be passed over
// unsearched, the slowest kind of miss.
void BM_ReplyNearMiss(benchmark::State& state) {
  BM_Reply(state, Inputs::NearMiss);
}

// Writes text to path now, so that the file counts as changed a moment ago.
void WriteNow(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

// Seconds since path last changed (its modification or change time, the
// later of the two); a large value when it cannot be looked at.
double SecondsSinceChange(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return 1e9;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const auto seconds = [](const timespec& t) {
    return static_cast<double>(t.tv_sec) +
           static_cast<double>(t.tv_nsec) * 1e-9;
  };
  return seconds(now) - std::max(seconds(st.st_mtim), seconds(st.st_ctim));
}

// BM_Reply on the same profile written a moment ago, as when an author edits
// a profile and chats at once. The file is written again (the same bytes)
// whenever it is about to age past the stream's cache margin, so that every
// timed reply is on a young file; the cost of noticing that rewrite falls on
// the reply after it, as it would for an author who saves again.
void BM_YoungReply(benchmark::State& state, Inputs kind) {
  const int groups = static_cast<int>(state.range(0));
  const fs::path path =
      DataFolder() / ("young-" + std::to_string(groups) + ".ppf");
  const std::string text = pladdo::bench::MakeSyntheticProfile(groups);
  const double young =
      std::chrono::duration<double>(pladdo::kProfileCacheMargin).count() - 1;
  WriteNow(path, text);
  CChatEngine engine;
  StartConversation(engine, path.string());
  const std::vector<std::string> inputs = ToCp1252(InputsFor(kind, groups));
  engine.SetInput(inputs[1]);
  const std::string first(engine.GetReply());
  if ((first.find("keyword") != std::string::npos) != (kind == Inputs::Hit)) {
    state.SkipWithError(("unexpected answer: " + first).c_str());
    return;
  }
  std::vector<double> micros;
  std::size_t i = 0;
  for (auto _ : state) {
    if (SecondsSinceChange(path.string()) > young) WriteNow(path, text);
    const auto t0 = Clock::now();
    engine.SetInput(inputs[i++ % inputs.size()]);
    benchmark::DoNotOptimize(engine.GetReply());
    const std::chrono::duration<double> spent = Clock::now() - t0;
    state.SetIterationTime(spent.count());
    micros.push_back(spent.count() * 1e6);
  }
  ReportPercentiles(state, micros);
}
void BM_YoungReplyHit(benchmark::State& state) {
  BM_YoungReply(state, Inputs::Hit);
}
void BM_YoungReplyMiss(benchmark::State& state) {
  BM_YoungReply(state, Inputs::Miss);
}

// The floor for a reply: the pattern rows already in memory, lower-cased,
// and one plain substring search per row until the first hit.
void BM_LowerBound(benchmark::State& state, Inputs kind) {
  const int groups = static_cast<int>(state.range(0));
  std::ifstream in(GetData().profiles.at(groups), std::ios::binary);
  std::vector<std::string> patterns;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.front() == '?') {
      std::string pattern = line.substr(1);
      pladdo::ToLower(pattern);
      patterns.push_back(std::move(pattern));
    }
  }
  std::vector<std::string> inputs = ToCp1252(InputsFor(kind, groups));
  for (std::string& input : inputs) {
    pladdo::ToLower(input);
    input.insert(0, " ");
  }
  TimeEach(state, [&](std::size_t i) {
    const std::string& input = inputs[i % inputs.size()];
    std::size_t found = patterns.size();
    for (std::size_t r = 0; r < patterns.size(); ++r) {
      if (input.find(patterns[r]) != std::string::npos) {
        found = r;
        break;
      }
    }
    benchmark::DoNotOptimize(found);
  });
}
void BM_LowerBoundHit(benchmark::State& state) {
  BM_LowerBound(state, Inputs::Hit);
}
void BM_LowerBoundMiss(benchmark::State& state) {
  BM_LowerBound(state, Inputs::Miss);
}
void BM_LowerBoundNearMiss(benchmark::State& state) {
  BM_LowerBound(state, Inputs::NearMiss);
}

void BM_Welcome(benchmark::State& state) {
  CChatEngine engine;
  StartConversation(engine,
                    GetData().profiles.at(static_cast<int>(state.range(0))));
  TimeEach(state,
           [&](std::size_t) { benchmark::DoNotOptimize(engine.GetWelcome()); });
}

void BM_CheckProfile(benchmark::State& state) {
  CChatEngine engine;
  StartConversation(engine,
                    GetData().profiles.at(static_cast<int>(state.range(0))));
  TimeEach(state, [&](std::size_t) {
    benchmark::DoNotOptimize(engine.CheckProfile());
  });
}

// A reply (NOTFOUND) and a welcome on the profile whose block variable
// doubles at every level; the expansion budget bounds both.
void BM_DoublingReply(benchmark::State& state) {
  CChatEngine engine;
  StartConversation(engine, GetData().doubling);
  const std::vector<std::string> inputs =
      pladdo::bench::MissInputs(kInputCount);
  TimeEach(state, [&](std::size_t i) {
    engine.SetInput(inputs[i % inputs.size()]);
    benchmark::DoNotOptimize(engine.GetReply());
  });
}
void BM_DoublingWelcome(benchmark::State& state) {
  CChatEngine engine;
  StartConversation(engine, GetData().doubling);
  TimeEach(state,
           [&](std::size_t) { benchmark::DoNotOptimize(engine.GetWelcome()); });
}

// Runs the terminal front end with the shipped profiles, feeding script on
// standard input. Returns the seconds until the first line of standard output
// (the welcome) and stores the peak resident memory in KiB.
struct RunResult {
  double secondsToFirstLine = -1;
  double secondsToEnd = -1;  // until standard output was closed
  long maxRssKiB = 0;
  int status = -1;
};

// Runs the program with args (after its name), feeding script on standard
// input.
RunResult RunProgram(const std::string& script, std::vector<std::string> args) {
  RunResult result;
  const std::string program = std::string(PLADDO_BUILD_DIR) + "/pladdo";
  int toChild[2];
  int fromChild[2];
  if (pipe(toChild) != 0 || pipe(fromChild) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
  posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclose(&actions, toChild[1]);
  posix_spawn_file_actions_addclose(&actions, fromChild[0]);
  args.insert(args.begin(), program);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const auto t0 = Clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr,
                                  argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(toChild[0]);
  close(fromChild[1]);
  if (spawned != 0) {
    close(toChild[1]);
    close(fromChild[0]);
    return result;
  }
  // Wait for the welcome line, then send the script and read to the end.
  char buffer[4096];
  bool seenLine = false;
  while (!seenLine) {
    const ssize_t n = read(fromChild[0], buffer, sizeof buffer);
    if (n <= 0) break;
    if (std::find(buffer, buffer + n, '\n') != buffer + n) {
      seenLine = true;
      result.secondsToFirstLine =
          std::chrono::duration<double>(Clock::now() - t0).count();
    }
  }
  std::thread writer([&] {
    std::size_t done = 0;
    while (done < script.size()) {
      const ssize_t n =
          write(toChild[1], script.data() + done, script.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    close(toChild[1]);
  });
  while (read(fromChild[0], buffer, sizeof buffer) > 0) {
  }
  result.secondsToEnd =
      std::chrono::duration<double>(Clock::now() - t0).count();
  writer.join();
  close(fromChild[0]);
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) == pid) {
    result.status = status;
    result.maxRssKiB = usage.ru_maxrss;
  }
  return result;
}

// The terminal chat with the shipped profiles and the seed 1; extra:
// arguments after those (other profiles).
RunResult RunTerminal(const std::string& script,
                      const std::vector<std::string>& extra = {}) {
  std::vector<std::string> args = {"--terminal", "--seed", "1"};
  args.insert(args.end(), extra.begin(), extra.end());
  return RunProgram(script, std::move(args));
}

bool HaveTerminal(benchmark::State& state) {
  if (access((std::string(PLADDO_BUILD_DIR) + "/pladdo").c_str(), X_OK) != 0) {
    state.SkipWithError("pladdo has not been built");
    return false;
  }
  return true;
}

void BM_TerminalStartup(benchmark::State& state) {
  if (!HaveTerminal(state)) return;
  std::vector<double> micros;
  long rss = 0;
  for (auto _ : state) {
    const RunResult run = RunTerminal("");
    if (run.secondsToFirstLine < 0) {
      state.SkipWithError("pladdo printed no welcome line");
      return;
    }
    state.SetIterationTime(run.secondsToFirstLine);
    micros.push_back(run.secondsToFirstLine * 1e6);
    rss = std::max(rss, run.maxRssKiB);
  }
  ReportPercentiles(state, micros);
  state.counters["maxrss_KiB"] = static_cast<double>(rss);
}

// Peak memory over a 200-exchange conversation with the shipped profiles.
void BM_TerminalConversation(benchmark::State& state) {
  if (!HaveTerminal(state)) return;
  std::string script = "Anna\n";
  const char* lines[] = {"Jag heter Anna", "Hej", "Vad g\xC3\xB6r du?",
                         "Jag tror att du gillar mig", "Ber\xC3\xA4tta mer"};
  for (int i = 0; i < 199; ++i)
    script += std::string(lines[i % 5]) + " " + std::to_string(i) + "\n";
  long rss = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    const RunResult run = RunTerminal(script);
    state.SetIterationTime(
        std::chrono::duration<double>(Clock::now() - t0).count());
    if (run.status != 0) {
      state.SkipWithError("pladdo did not end with status 0");
      return;
    }
    rss = std::max(rss, run.maxRssKiB);
  }
  state.counters["maxrss_KiB"] = static_cast<double>(rss);
}

// The whole program as a user pipes lines into it: pladdo -t on a profile of
// N keyword groups generated just before the run (so it is a young file when
// the run starts), answering 2,000 lines of which every other one hits a
// group. The time per reply is counted from the welcome line to the end of
// the output, so start-up is not in it (BM_TerminalStartup measures that).
void BM_WholeProgram(benchmark::State& state) {
  if (!HaveTerminal(state)) return;
  constexpr int kLines = 2000;
  const int groups = static_cast<int>(state.range(0));
  const fs::path path =
      DataFolder() / ("fresh-" + std::to_string(groups) + ".ppf");
  const std::string text = pladdo::bench::MakeSyntheticProfile(groups);
  const std::vector<std::string> hits =
      pladdo::bench::HitInputs(groups, kLines / 2);
  const std::vector<std::string> misses = pladdo::bench::MissInputs(kLines / 2);
  std::string script = "Anna\n";
  for (int i = 0; i < kLines / 2; ++i) {
    script += hits[static_cast<std::size_t>(i)] + "\n";
    script += misses[static_cast<std::size_t>(i)] + "\n";
  }
  std::vector<double> micros;
  for (auto _ : state) {
    WriteNow(path, text);
    const RunResult run = RunTerminal(
        script, {"--profile1", path.string(), "--profile2", path.string()});
    if (run.status != 0 || run.secondsToFirstLine < 0) {
      state.SkipWithError("pladdo did not answer and end with status 0");
      return;
    }
    const double replies = run.secondsToEnd - run.secondsToFirstLine;
    state.SetIterationTime(replies);
    micros.push_back(replies * 1e6 / (kLines + 1));
  }
  std::sort(micros.begin(), micros.end());
  state.counters["per_reply_us"] = micros[micros.size() / 2];
}

// A line reader that hands out a script and records, for every line after
// the first, the time since it handed out the one before: the whole cost of
// one exchange in the chat loop (the answer, the view, the next prompt).
class CTimingReader : public pladdo::ILineReader {
 public:
  explicit CTimingReader(int lines) : m_nLines(lines) {
    m_micros.reserve(static_cast<std::size_t>(lines));
  }
  bool ReadLine(std::string& line, std::string_view,
                std::string_view) override {
    const auto now = Clock::now();
    if (m_nNext > 0) {
      m_micros.push_back(
          std::chrono::duration<double, std::micro>(now - m_last).count());
    }
    if (m_nNext == m_nLines) return false;
    // A keyword of the one group every other line, never the same line
    // twice (that would be a repetition).
    const int i = m_nNext++;
    line = i == 0 ? "Anna"
           : i % 2 != 0
               ? "Vad tycker du om keyword00000 nu " + std::to_string(i)
               : "Ber\u00e4tta om rad " + std::to_string(i);
    m_last = Clock::now();
    return true;
  }
  bool IsInteractive() const override { return false; }
  const std::vector<double>& Micros() const { return m_micros; }

 private:
  int m_nLines;
  int m_nNext = 0;
  Clock::time_point m_last;
  std::vector<double> m_micros;
};

constexpr int kLongConversation = 20000;

// The median cost of an exchange near the start (exchanges 2 to 1,001: the
// first also names the user) and near the end (the last 1,000) of a long
// conversation, and the ratio of the two, as counters.
void ReportStartAndEnd(benchmark::State& state, std::vector<double> micros) {
  constexpr std::size_t kWindow = 1000;
  if (micros.size() < 2 * kWindow + 1) return;
  const auto median = [](std::vector<double>::iterator from) {
    std::vector<double> part(from, from + kWindow);
    std::nth_element(part.begin(), part.begin() + kWindow / 2, part.end());
    return part[kWindow / 2];
  };
  const double start = median(micros.begin() + 1);
  const double end = median(micros.end() - kWindow);
  state.counters["start_us"] = start;
  state.counters["end_us"] = end;
  state.counters["end_over_start"] = end / start;
}

// A 20,000-exchange conversation through the terminal front end (the chat
// loop, the controller, the terminal window printing to /dev/null) on a
// profile of one keyword group.
void BM_LongConversationTerminal(benchmark::State& state) {
  std::ofstream sink("/dev/null");
  for (auto _ : state) {
    pladdo::PinRandomSeed(1);
    pladdo::CTerminalWindow window(sink, sink, "bench");
    pladdo::CChatDlg dlg(window);
    pladdo::StartOptions options;
    options.strProfile1 = options.strProfile2 = GetData().oneGroup;
    options.strLanguageFile = GetData().language;
    dlg.Start(options);
    CTimingReader reader(kLongConversation);
    pladdo::CTerminalChat chat(dlg, window, reader);
    const auto t0 = Clock::now();
    chat.Run();
    state.SetIterationTime(
        std::chrono::duration<double>(Clock::now() - t0).count());
    ReportStartAndEnd(state, reader.Micros());
  }
}

// `pladdo verify` on the 10,000-group profile with a sample above every
// group: each sample answered in a conversation of its own, the search for
// shadowed rows, the blocks and variables; from spawn to exit.
void BM_TerminalVerify(benchmark::State& state) {
  if (!HaveTerminal(state)) return;
  std::vector<double> micros;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    const RunResult run = RunProgram(
        "",
        {"verify", "--language", GetData().language, GetData().withSamples});
    const std::chrono::duration<double> spent = Clock::now() - t0;
    // Every sample reaches its group and nothing else is found: status 0.
    if (!WIFEXITED(run.status) || WEXITSTATUS(run.status) != 0) {
      state.SkipWithError("pladdo verify did not end with status 0");
      return;
    }
    state.SetIterationTime(spent.count());
    micros.push_back(spent.count() * 1e6);
  }
  ReportPercentiles(state, micros);
}

}  // namespace

BENCHMARK(BM_ReplyHit)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReplyHitUntraced)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReplyMiss)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReplyNearMiss)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YoungReplyHit)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_YoungReplyMiss)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LowerBoundHit)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LowerBoundMiss)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LowerBoundNearMiss)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Welcome)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CheckProfile)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoublingReply)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DoublingWelcome)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TerminalStartup)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK(BM_TerminalVerify)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_TerminalConversation)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK(BM_WholeProgram)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_LongConversationTerminal)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

BENCHMARK_MAIN();
