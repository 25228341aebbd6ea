// The profile author's workbench: sample lines run through the engine, pattern
// rows that can never answer, variables that point nowhere, blocks that no
// variable names, and the answers to a list of input lines.
#include "engine/Verify.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>
#include <utility>

#include "engine/ChatEngine.h"
#include "engine/Codepage.h"
#include "engine/ProfileLines.h"
#include "engine/ProfileStream.h"
#include "engine/Shadow.h"
#include "engine/TextUtil.h"

namespace pladdo {

// The rows of a profile that the verifier looks at, each with its line.
struct ProfileOutline {
  struct Pattern {
    int nLine = 0;
    std::string strRow;      // as the reader makes it (case kept)
    std::string strPattern;  // as the keyword scan searches it
    bool bPlain = true;
    std::size_t nGroup = 0;
  };
  // Pattern rows that stand together and share the answer rows after them.
  struct Group {
    std::size_t nFirst = 0;  // its first pattern row
    std::size_t nAnswers = 0;
    bool bAllNeedCapture = true;  // every answer row holds %FE%
  };
  struct Sample {
    int nLine = 0;
    std::string strText;
    std::ptrdiff_t nPattern = -1;  // the first pattern row below it
  };
  struct Header {
    int nLine = 0;
    std::string strName;  // between "[" and the first "]", as written
  };
  struct Answer {
    int nLine = 0;
    std::string strText;  // as the answer reader makes it
  };
  std::vector<Pattern> patterns;
  std::vector<Group> groups;
  std::vector<Sample> samples;
  std::vector<Header> headers;
  std::vector<Answer> answers;

  // The pattern row on line, or -1.
  std::ptrdiff_t PatternAt(int line) const {
    const auto it =
        std::lower_bound(patterns.begin(), patterns.end(), line,
                         [](const Pattern& p, int l) { return p.nLine < l; });
    return it != patterns.end() && it->nLine == line ? it - patterns.begin()
                                                     : -1;
  }
};

namespace {

// The blocks the engine reads by their own names: a variable need not name
// them.
constexpr std::string_view kEngineBlocks[] = {
    "info",   "name",    "welcome", "start",
    "repeat", "imitate", "speak",   "notfound",
};

bool IsEngineBlock(std::string_view lowered) {
  return std::find(std::begin(kEngineBlocks), std::end(kEngineBlocks),
                   lowered) != std::end(kEngineBlocks);
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  ToLower(lowered);
  return lowered;
}

// Whether two paths (Windows-1252, as the engine holds them) name one file.
bool SameFile(std::string_view a, std::string_view b) {
  std::error_code error;
  for (const std::string& x : {Cp1252ToUtf8(a), std::string(a)}) {
    for (const std::string& y : {Cp1252ToUtf8(b), std::string(b)}) {
      if (std::filesystem::equivalent(x, y, error)) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

bool SampleOfLine(std::string_view line, std::string& sample) {
  const std::size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos ||
      line.substr(start, 2) != std::string_view("#>")) {
    return false;
  }
  sample.assign(TrimWhiteSpace(line.substr(start + 2)));
  return true;
}

std::string ChooseUserName(const std::vector<std::string>& texts) {
  std::set<std::string> taken;
  for (const std::string& text : texts) {
    taken.insert(Lowered(text));
  }
  std::string name = "Provaren";
  for (int n = 2; taken.count(Lowered(name)) != 0; ++n) {
    name = "Provaren " + std::to_string(n);
  }
  return name;
}

bool CChatEngine::ReadOutline(std::string_view path, ProfileOutline& outline) {
  CProfileStream stream;
  if (!OpenProfile(stream, path)) {
    return false;
  }
  // Where the rows stand relative to a group, as ReadAnswers reads on after
  // a matched pattern row: further pattern rows, then answer rows.
  enum class State { Outside, Patterns, Answers };
  State state = State::Outside;
  std::vector<std::size_t> waiting;  // samples without their pattern row yet
  std::string line;
  std::string sample;
  while (stream.ReadLine(line)) {
    const int number = TraceLine(stream);
    if (SampleOfLine(line, sample)) {
      waiting.push_back(outline.samples.size());
      outline.samples.push_back({number, sample, -1});
      continue;  // a comment: no row
    }
    MakeRow(line);
    if (line.empty()) {
      continue;
    }
    switch (line.front()) {
      case '?': {
        if (state != State::Patterns) {
          outline.groups.push_back({outline.patterns.size(), 0, true});
        }
        state = State::Patterns;
        std::string pattern(PatternOfRow(line));
        ToLower(pattern);
        const bool plain = IsPlainPattern(pattern);
        for (const std::size_t s : waiting) {
          outline.samples[s].nPattern =
              static_cast<std::ptrdiff_t>(outline.patterns.size());
        }
        waiting.clear();
        outline.patterns.push_back({number, line, std::move(pattern), plain,
                                    outline.groups.size() - 1});
        break;
      }
      case '!': {
        std::string answer(line);
        answer.front() = ' ';
        NormalizeSpaces(answer);
        if (state != State::Outside) {
          ProfileOutline::Group& group = outline.groups.back();
          ++group.nAnswers;
          group.bAllNeedCapture =
              group.bAllNeedCapture && AnswerNeedsCapture(answer);
          state = State::Answers;
        }
        outline.answers.push_back({number, std::move(answer)});
        break;
      }
      case '[': {
        const std::size_t close = line.find(']');
        if (close != std::string::npos) {
          outline.headers.push_back({number, line.substr(1, close - 1)});
        }
        state = State::Outside;
        break;
      }
      default:
        state = State::Outside;
        break;
    }
  }
  return true;
}

int CChatEngine::FindSpeakLine(std::string_view path) {
  CProfileStream stream;
  if (!OpenProfile(stream, path) || !FindBlock(stream, "SPEAK")) {
    return 0;
  }
  return TraceLine(stream);
}

CChatEngine::BlockLookup CChatEngine::LookUpBlock(std::string_view file,
                                                  std::string_view name) {
  BlockLookup lookup;
  CProfileStream stream;
  if (!OpenProfile(stream, file)) {
    return lookup;
  }
  lookup.bOpened = true;
  lookup.bFound = FindBlock(stream, name);
  if (lookup.bFound) {
    lookup.nHeaderLine = TraceLine(stream);
    std::vector<std::string> answers;
    ReadAnswerRows(stream, answers);
    lookup.nAnswers = answers.size();
  }
  return lookup;
}

CChatEngine CChatEngine::AfterUserName(std::string_view userName) const {
  CChatEngine engine(*this);
  engine.m_bTracing = true;
  engine.Reset();
  engine.SetBotName();
  (void)engine.GetWelcome();
  engine.SetUserName(userName);
  engine.SetInput(userName);
  (void)engine.GetReply();
  return engine;
}

VerifyResult CChatEngine::VerifyProfile() const {
  VerifyResult result;
  ProfileOutline outline;
  if (!ReadOutline(m_strProfilePath, outline)) {
    return result;
  }
  result.bOpened = true;
  const int speakLine = FindSpeakLine(m_strProfilePath);
  const auto tried = [speakLine](const ProfileOutline::Pattern& p) {
    return speakLine > 0 && p.nLine > speakLine;
  };
  const auto rowOf = [this](const ProfileOutline::Pattern& p) {
    return TraceRow{m_strProfilePath, p.nLine, p.strRow};
  };
  std::vector<VerifyFinding>& findings = result.findings;

  // ---- samples, each answered in a conversation of its own
  std::vector<std::string> texts;
  for (const ProfileOutline::Sample& sample : outline.samples) {
    texts.push_back(sample.strText);
  }
  result.nSamples = static_cast<int>(outline.samples.size());
  const CChatEngine afterName = AfterUserName(ChooseUserName(texts));
  for (const ProfileOutline::Sample& sample : outline.samples) {
    VerifyFinding finding;
    finding.nLine = sample.nLine;
    finding.strText = sample.strText;
    if (sample.strText.empty()) {
      finding.kind = FindingKind::SampleEmpty;
      findings.push_back(std::move(finding));
      continue;
    }
    if (sample.nPattern < 0) {
      finding.kind = FindingKind::SampleNoPattern;
      findings.push_back(std::move(finding));
      continue;
    }
    const ProfileOutline::Pattern& own =
        outline.patterns[static_cast<std::size_t>(sample.nPattern)];
    const std::size_t ownGroup = own.nGroup;
    finding.nGroupLine =
        outline.patterns[outline.groups[ownGroup].nFirst].nLine;
    if (!tried(own)) {
      finding.kind = speakLine > 0 ? FindingKind::SampleBeforeSpeak
                                   : FindingKind::SampleNoSpeak;
      finding.nOtherLine = own.nLine;
      findings.push_back(std::move(finding));
      continue;
    }

    CChatEngine engine(afterName);
    engine.SetInput(sample.strText);
    (void)engine.GetReply();
    const ReplyTrace& trace = engine.m_trace;
    if (trace.situation == TraceSituation::Keyword) {
      const std::ptrdiff_t at = outline.PatternAt(trace.pattern.nLine);
      if (at >= 0 &&
          outline.patterns[static_cast<std::size_t>(at)].nGroup == ownGroup) {
        ++result.nSamplesReached;
        continue;
      }
      finding.kind = FindingKind::SampleOtherGroup;
      finding.other = trace.pattern;
    } else if (trace.situation == TraceSituation::Fallback &&
               trace.droppedPattern.nLine > 0) {
      const std::ptrdiff_t at = outline.PatternAt(trace.droppedPattern.nLine);
      const std::size_t group =
          at >= 0 ? outline.patterns[static_cast<std::size_t>(at)].nGroup
                  : outline.groups.size();
      const bool noAnswers =
          group < outline.groups.size() && outline.groups[group].nAnswers == 0;
      if (group == ownGroup) {
        finding.kind = noAnswers ? FindingKind::SampleOwnNoAnswers
                                 : FindingKind::SampleOwnNoCapture;
      } else {
        finding.kind = noAnswers ? FindingKind::SampleOtherNoAnswers
                                 : FindingKind::SampleOtherNoCapture;
        finding.other = trace.droppedPattern;
      }
    } else if (trace.situation == TraceSituation::NoProfile) {
      finding.kind = FindingKind::SampleUnanswered;
    } else {
      finding.kind = FindingKind::SampleOtherBlock;
      finding.strBlock = trace.strBlock;
    }
    findings.push_back(std::move(finding));
  }

  // ---- pattern rows that are never tried, or whose inputs an earlier row
  // takes
  std::vector<std::size_t> triedRows;
  std::vector<std::string_view> triedPatterns;
  for (std::size_t i = 0; i < outline.patterns.size(); ++i) {
    const ProfileOutline::Pattern& p = outline.patterns[i];
    if (tried(p)) {
      triedRows.push_back(i);
      triedPatterns.push_back(p.strPattern);
      continue;
    }
    VerifyFinding finding;
    finding.kind = speakLine > 0 ? FindingKind::PatternBeforeSpeak
                                 : FindingKind::PatternNoSpeak;
    finding.nLine = p.nLine;
    finding.strText = p.strRow;
    findings.push_back(std::move(finding));
  }
  const std::vector<int> shadowing = FindShadowingRows(triedPatterns);
  for (std::size_t k = 0; k < shadowing.size(); ++k) {
    if (shadowing[k] < 0) {
      continue;
    }
    const ProfileOutline::Pattern& p = outline.patterns[triedRows[k]];
    const ProfileOutline::Pattern& by =
        outline.patterns[triedRows[static_cast<std::size_t>(shadowing[k])]];
    VerifyFinding finding;
    finding.kind = FindingKind::PatternShadowed;
    finding.nLine = p.nLine;
    finding.strText = p.strRow;
    finding.other = rowOf(by);
    findings.push_back(std::move(finding));
  }

  // ---- variables that point nowhere, and the blocks they reach
  std::set<int> reached;  // header lines of the profile some variable finds
  std::map<std::pair<std::string, std::string>, BlockLookup> lookups;
  std::map<std::string, bool> sameAsProfile;
  for (const ProfileOutline::Answer& answer : outline.answers) {
    std::size_t pos = 0;
    std::string variable;
    while (FindVariable(answer.strText, variable, pos)) {
      pos += variable.size();
      const VariableTarget target = ParseVariable(variable);
      if (target.bBuiltIn) {
        continue;
      }
      const std::string& file =
          target.bOwnFile ? m_strProfilePath : target.strFile;
      const auto key = std::make_pair(file, target.strName);
      auto found = lookups.find(key);
      if (found == lookups.end()) {
        found = lookups.emplace(key, LookUpBlock(file, target.strName)).first;
      }
      const BlockLookup& lookup = found->second;
      bool ownFile = target.bOwnFile;
      if (!ownFile && lookup.bFound) {
        auto same = sameAsProfile.find(file);
        if (same == sameAsProfile.end()) {
          same = sameAsProfile.emplace(file, SameFile(file, m_strProfilePath))
                     .first;
        }
        ownFile = same->second;
      }
      if (lookup.bFound && ownFile) {
        reached.insert(lookup.nHeaderLine);
      }
      VerifyFinding finding;
      finding.nLine = answer.nLine;
      finding.strText = variable;
      finding.strBlock = target.strName;
      finding.strFile = file;
      if (!lookup.bOpened) {
        finding.kind = FindingKind::VariableNoFile;
      } else if (!lookup.bFound) {
        finding.kind = target.bOwnFile ? FindingKind::VariableNoBlock
                                       : FindingKind::VariableNoBlockInFile;
      } else if (lookup.nAnswers == 0) {
        finding.kind = target.bOwnFile ? FindingKind::VariableEmptyBlock
                                       : FindingKind::VariableEmptyBlockInFile;
      } else {
        continue;
      }
      findings.push_back(std::move(finding));
    }
  }

  // ---- blocks that no variable names
  std::map<std::string, int> firstOfName;
  for (const ProfileOutline::Header& header : outline.headers) {
    const std::string lowered = Lowered(header.strName);
    const auto first = firstOfName.emplace(lowered, header.nLine).first;
    if (IsEngineBlock(lowered) || reached.count(header.nLine) != 0) {
      continue;
    }
    VerifyFinding finding;
    finding.nLine = header.nLine;
    finding.strText = header.strName;
    if (first->second != header.nLine) {
      finding.kind = FindingKind::BlockDuplicate;
      finding.nOtherLine = first->second;
    } else {
      finding.kind = FindingKind::BlockUnused;
    }
    findings.push_back(std::move(finding));
  }

  std::stable_sort(findings.begin(), findings.end(),
                   [](const VerifyFinding& a, const VerifyFinding& b) {
                     return a.nLine < b.nLine;
                   });
  return result;
}

CorpusResult CChatEngine::RunInputs(
    const std::vector<std::string>& inputs) const {
  CorpusResult result;
  ProfileOutline outline;
  if (!ReadOutline(m_strProfilePath, outline)) {
    return result;
  }
  result.bOpened = true;
  const int speakLine = FindSpeakLine(m_strProfilePath);
  // The groups that are tried, named by their first pattern row.
  std::vector<int> corpusGroup(outline.groups.size(), -1);
  for (std::size_t g = 0; g < outline.groups.size(); ++g) {
    const ProfileOutline::Pattern& first =
        outline.patterns[outline.groups[g].nFirst];
    if (speakLine > 0 && first.nLine > speakLine) {
      corpusGroup[g] = static_cast<int>(result.groups.size());
      result.groups.push_back(
          {TraceRow{m_strProfilePath, first.nLine, first.strRow}, 0});
    }
  }
  const auto groupOfLine = [&outline](int line) {
    const std::ptrdiff_t at = outline.PatternAt(line);
    return at >= 0 ? outline.patterns[static_cast<std::size_t>(at)].nGroup
                   : outline.groups.size();
  };

  const CChatEngine afterName = AfterUserName(ChooseUserName(inputs));
  for (const std::string& input : inputs) {
    CChatEngine engine(afterName);
    engine.SetInput(input);
    (void)engine.GetReply();
    const ReplyTrace& trace = engine.m_trace;
    CorpusLine line;
    line.strInput = input;
    line.situation = trace.situation;
    line.strBlock = trace.strBlock;
    std::size_t matchedGroup = outline.groups.size();
    if (trace.situation == TraceSituation::Keyword) {
      line.pattern = trace.pattern;
      matchedGroup = groupOfLine(trace.pattern.nLine);
      if (matchedGroup < outline.groups.size() &&
          corpusGroup[matchedGroup] >= 0) {
        line.nGroup = corpusGroup[matchedGroup];
        ++result.groups[static_cast<std::size_t>(line.nGroup)].nAnswered;
      }
    } else if (trace.droppedPattern.nLine > 0) {
      line.passedOver = trace.droppedPattern;
      matchedGroup = groupOfLine(trace.droppedPattern.nLine);
      line.bPassedNoAnswers = matchedGroup < outline.groups.size() &&
                              outline.groups[matchedGroup].nAnswers == 0;
    }
    // The groups after the one that took the line, each with its first row
    // that matches too.
    const std::string searchText = " " + engine.m_strInput;
    for (std::size_t g = matchedGroup + 1; g < outline.groups.size(); ++g) {
      for (std::size_t i = outline.groups[g].nFirst;
           i < outline.patterns.size() && outline.patterns[i].nGroup == g;
           ++i) {
        const ProfileOutline::Pattern& p = outline.patterns[i];
        if (MatchKeyword(searchText, p.strPattern, p.bPlain) != npos) {
          line.alsoMatching.push_back(
              TraceRow{m_strProfilePath, p.nLine, p.strRow});
          break;
        }
      }
    }
    result.lines.push_back(std::move(line));
  }
  return result;
}

}  // namespace pladdo
