// Fuzz target: the verifier on arbitrary profile bytes, and the proof of
// shadowed rows against the engine's own keyword rule.
//
// Input layout as fuzz_profile: the profile, the line "--", then input lines.
// The verifier and the corpus run must hold their own invariants. Every pair
// of the profile's patterns that PatternCovers calls covered is then tried on
// texts built from the later pattern and the input lines: wherever the later
// pattern matches and the text holds no occurrence of the earlier pattern's
// first piece before that match, the earlier pattern must match too.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/ProfileLines.h"
#include "engine/ProfileStream.h"
#include "engine/Random.h"
#include "engine/Shadow.h"
#include "engine/TextUtil.h"
#include "fuzz/FuzzFiles.h"

namespace {

using namespace pladdo;

constexpr std::string_view kSeparator = "\n--\n";
constexpr std::size_t kMaxPatterns = 24;
constexpr std::size_t kMaxInputs = 8;

std::vector<std::string> SplitLines(std::string_view text, std::size_t max) {
  std::vector<std::string> lines;
  while (!text.empty() && lines.size() < max) {
    const std::size_t eol = text.find('\n');
    lines.emplace_back(text.substr(0, eol));
    text = eol == std::string_view::npos ? std::string_view{}
                                         : text.substr(eol + 1);
  }
  return lines;
}

// A lower-cased text that the pattern may match: its "*" replaced by words
// of filler, its "?" by bytes of filler, with filler's last word after it.
std::string Instantiate(std::string_view pattern, std::string_view filler) {
  std::vector<std::string> words;
  for (std::size_t start = 0; start <= filler.size() && words.size() < 64;) {
    const std::size_t blank = std::min(filler.find(' ', start), filler.size());
    words.emplace_back(filler.substr(start, blank - start));
    start = blank + 1;
  }
  std::string text = " ";
  std::size_t word = 0;
  std::size_t byte = 0;
  const auto nextWord = [&]() -> std::string {
    if (words.empty()) return {};
    return words[word++ % words.size()];
  };
  for (const char c : pattern) {
    if (c == '*') {
      text += nextWord();
    } else if (c == '?') {
      text += filler.empty() ? 'x' : filler[byte++ % filler.size()];
    } else {
      text += c;
    }
  }
  text += nextWord();
  ToLower(text);
  return text;
}

std::string_view FirstPiece(std::string_view pattern) {
  while (!pattern.empty() && pattern.front() == '*') pattern.remove_prefix(1);
  return pattern.substr(0, pattern.find('*'));
}

// Tries a covered pair on texts made from the later pattern.
void CheckCover(std::string_view earlier, std::string_view later,
                const std::vector<std::string>& fillers) {
  for (const std::string& filler : fillers) {
    const std::string text = Instantiate(later, filler);
    std::size_t end = 0;
    const std::size_t at = WildFindLowered(text, later, &end, 0);
    if (MatchKeyword(text, later, false) == npos) continue;
    const std::string_view first = FirstPiece(earlier);
    if (!first.empty() && WildFindLowered(text, first, nullptr, 0) < at) {
      continue;  // the one case the proof leaves out
    }
    if (MatchKeyword(text, earlier, false) == npos) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string_view all = fuzz::AsText(data, size);
  const std::size_t cut = all.find(kSeparator);
  const std::string_view profile = all.substr(0, cut);
  const std::vector<std::string> inputs = SplitLines(
      cut == std::string_view::npos ? std::string_view{}
                                    : all.substr(cut + kSeparator.size()),
      kMaxInputs);
  const std::string path = fuzz::WriteScratchFile("verified.ppf", profile);
  PinRandomSeed(1);
  CProfileStream::SetCacheMargin(std::chrono::nanoseconds(0));
  CProfileStream::ClearCache();

  CChatEngine engine;
  engine.SetLanguageFile(path);
  engine.SetProfile(path);
  const VerifyResult result = engine.VerifyProfile();
  if (!result.bOpened) std::abort();
  int sampleFindings = 0;
  int line = 0;
  for (const VerifyFinding& finding : result.findings) {
    if (finding.nLine < line || finding.nLine < 1) std::abort();
    line = finding.nLine;
    if (finding.kind == FindingKind::PatternShadowed &&
        finding.other.nLine >= finding.nLine) {
      std::abort();
    }
    if (finding.kind <= FindingKind::SampleUnanswered) ++sampleFindings;
  }
  if (result.nSamplesReached + sampleFindings != result.nSamples) std::abort();

  const CorpusResult corpus = engine.RunInputs(inputs);
  if (!corpus.bOpened || corpus.lines.size() != inputs.size()) std::abort();
  std::size_t answered = 0;
  for (const CorpusGroup& group : corpus.groups) {
    answered += static_cast<std::size_t>(group.nAnswered);
  }
  const auto keyword = std::count_if(
      corpus.lines.begin(), corpus.lines.end(), [](const CorpusLine& l) {
        return l.situation == TraceSituation::Keyword;
      });
  if (answered != static_cast<std::size_t>(keyword)) std::abort();

  // The proof against the engine, on every pair of the first patterns.
  std::vector<std::string> patterns;
  for (std::string row : SplitLines(profile, 4096)) {
    MakeRow(row);
    if (!row.empty() && row.front() == '?' && patterns.size() < kMaxPatterns) {
      std::string pattern(PatternOfRow(row));
      ToLower(pattern);
      patterns.push_back(std::move(pattern));
    }
  }
  std::vector<std::string> fillers = inputs;
  fillers.emplace_back();
  for (const std::string& earlier : patterns) {
    for (const std::string& later : patterns) {
      if (PatternCovers(earlier, later)) CheckCover(earlier, later, fillers);
    }
  }
  CProfileStream::ClearCache();
  return 0;
}
