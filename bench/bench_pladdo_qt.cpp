// Benchmarks of the Qt main window, offscreen: a 20,000-exchange automatic
// dialogue between the shipped profiles, each exchange a click on the answer
// button followed by the events it left (layout, scrolling, painting).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "engine/Random.h"
#include "ui/ChatDlg.h"
#include "ui/qt/MainWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kExchanges = 20000;

// The median of the 1,000 exchanges from first on.
double MedianOfWindow(const std::vector<double>& micros, std::size_t first) {
  constexpr std::size_t kWindow = 1000;
  std::vector<double> part(
      micros.begin() + static_cast<std::ptrdiff_t>(first),
      micros.begin() + static_cast<std::ptrdiff_t>(first + kWindow));
  std::nth_element(part.begin(), part.begin() + kWindow / 2, part.end());
  return part[kWindow / 2];
}

// The conversation view shows the text of the window, without the whole
// transcript crossing to it: each exchange costs the same near the start
// (exchanges 2 to 1,001) and near the end (the last 1,000).
void BM_LongConversationQt(benchmark::State& state) {
  for (auto _ : state) {
    pladdo::PinRandomSeed(1);
    pladdo::CMainWindow window;
    pladdo::StartOptions options;
    const std::string folder = PLADDO_BUILD_DIR;
    options.strProfile1 = folder + "/profiles/pladdo.ppf";
    options.strProfile2 = folder + "/profiles/rimbus.ppf";
    options.strLanguageFile = folder + "/language.dat";
    options.bAutoDialog = true;
    window.Controller().Start(options);
    window.show();
    QApplication::processEvents();
    auto* answer =
        window.findChild<QPushButton*>(QStringLiteral("answerButton"));
    auto* view = window.findChild<QPlainTextEdit*>(QStringLiteral("view"));
    std::vector<double> micros;
    micros.reserve(kExchanges);
    const auto begin = Clock::now();
    for (int i = 0; i < kExchanges; ++i) {
      const auto t0 = Clock::now();
      answer->click();
      QApplication::processEvents();
      micros.push_back(
          std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    state.SetIterationTime(
        std::chrono::duration<double>(Clock::now() - begin).count());
    // Two lines per exchange, or the clicks did not reach the controller.
    if (view->document()->blockCount() < 2 * kExchanges) {
      state.SkipWithError("the answer button did not answer every time");
      return;
    }
    const double start = MedianOfWindow(micros, 1);
    const double end = MedianOfWindow(micros, micros.size() - 1000);
    state.counters["start_us"] = start;
    state.counters["end_us"] = end;
    state.counters["end_over_start"] = end / start;
  }
}

}  // namespace

BENCHMARK(BM_LongConversationQt)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
