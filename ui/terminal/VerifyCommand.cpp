// `pladdo verify`: the verifier's findings and the corpus report in Swedish.
#include "ui/terminal/VerifyCommand.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "engine/ChatEngine.h"
#include "engine/Codepage.h"
#include "engine/TextUtil.h"
#include "ui/FileUtil.h"
#include "ui/StringTable.h"

namespace pladdo {
namespace {

// How many groups the corpus report lists as answering most.
constexpr std::size_t kTopGroups = 10;

std::string BaseName(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path
                                                     : path.substr(slash + 1));
}

std::string Where(std::string_view file, int line) {
  return BaseName(file) + ":" + std::to_string(line);
}

std::string Where(const TraceRow& row) { return Where(row.strFile, row.nLine); }

std::string Block(std::string_view name) {
  return "[" + std::string(name) + "]";
}

std::string Describe(const VerifyFinding& f) {
  const std::string group = std::to_string(f.nGroupLine);
  const std::string other = std::to_string(f.nOtherLine);
  switch (f.kind) {
    case FindingKind::SampleOtherGroup:
      return FormatString(IDS_VERIFY_SAMPLE_OTHER_GROUP,
                          {f.strText, Where(f.other), f.other.strText, group});
    case FindingKind::SampleOtherBlock:
      return FormatString(IDS_VERIFY_SAMPLE_OTHER_BLOCK,
                          {f.strText, Block(f.strBlock), group});
    case FindingKind::SampleOwnNoCapture:
      return FormatString(IDS_VERIFY_SAMPLE_OWN_NO_CAPTURE, {f.strText, group});
    case FindingKind::SampleOwnNoAnswers:
      return FormatString(IDS_VERIFY_SAMPLE_OWN_NO_ANSWERS, {f.strText, group});
    case FindingKind::SampleOtherNoCapture:
      return FormatString(IDS_VERIFY_SAMPLE_OTHER_NO_CAPTURE,
                          {f.strText, Where(f.other), f.other.strText, group});
    case FindingKind::SampleOtherNoAnswers:
      return FormatString(IDS_VERIFY_SAMPLE_OTHER_NO_ANSWERS,
                          {f.strText, Where(f.other), f.other.strText, group});
    case FindingKind::SampleNoPattern:
      return FormatString(IDS_VERIFY_SAMPLE_NO_PATTERN, {f.strText});
    case FindingKind::SampleBeforeSpeak:
      return FormatString(IDS_VERIFY_SAMPLE_BEFORE_SPEAK, {f.strText, other});
    case FindingKind::SampleNoSpeak:
      return FormatString(IDS_VERIFY_SAMPLE_NO_SPEAK, {f.strText});
    case FindingKind::SampleEmpty:
      return std::string(LoadString(IDS_VERIFY_SAMPLE_EMPTY));
    case FindingKind::SampleUnanswered:
      return FormatString(IDS_VERIFY_SAMPLE_UNANSWERED, {f.strText});
    case FindingKind::PatternShadowed:
      return FormatString(IDS_VERIFY_PATTERN_SHADOWED,
                          {f.strText, Where(f.other), f.other.strText});
    case FindingKind::PatternBeforeSpeak:
      return FormatString(IDS_VERIFY_PATTERN_BEFORE_SPEAK, {f.strText});
    case FindingKind::PatternNoSpeak:
      return FormatString(IDS_VERIFY_PATTERN_NO_SPEAK, {f.strText});
    case FindingKind::VariableNoBlock:
      return FormatString(IDS_VERIFY_VARIABLE_NO_BLOCK, {f.strText});
    case FindingKind::VariableEmptyBlock:
      return FormatString(IDS_VERIFY_VARIABLE_EMPTY_BLOCK,
                          {f.strText, f.strBlock});
    case FindingKind::VariableNoFile:
      return FormatString(IDS_VERIFY_VARIABLE_NO_FILE, {f.strText, f.strFile});
    case FindingKind::VariableNoBlockInFile:
      return FormatString(IDS_VERIFY_VARIABLE_NO_BLOCK_IN_FILE,
                          {f.strText, f.strBlock, f.strFile});
    case FindingKind::VariableEmptyBlockInFile:
      return FormatString(IDS_VERIFY_VARIABLE_EMPTY_BLOCK_IN_FILE,
                          {f.strText, f.strBlock, f.strFile});
    case FindingKind::BlockUnused:
      return FormatString(IDS_VERIFY_BLOCK_UNUSED, {f.strText});
    case FindingKind::BlockDuplicate:
      return FormatString(IDS_VERIFY_BLOCK_DUPLICATE, {f.strText, other});
  }
  return {};
}

std::string CountOfFindings(std::size_t count) {
  if (count == 0) {
    return std::string(LoadString(IDS_VERIFY_NOTHING_FOUND));
  }
  if (count == 1) {
    return std::string(LoadString(IDS_VERIFY_ONE_FINDING));
  }
  return FormatString(IDS_VERIFY_FINDINGS, {std::to_string(count)});
}

// part of whole in per cent with one decimal and a decimal comma.
std::string Percent(std::size_t part, std::size_t whole) {
  const std::size_t tenths = (part * 1000 + whole / 2) / whole;
  return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

std::string Row(const TraceRow& row) {
  return Where(row) + " \xAB" + row.strText + "\xBB";
}

void PrintUtf8(std::ostream& out, const std::string& cp1252) {
  out << Cp1252ToUtf8(cp1252);
}

// The non-empty lines of a UTF-8 file, trimmed as a typed line is, in
// Windows-1252; false when the file cannot be read.
bool ReadInputLines(const std::string& path, std::vector<std::string>& lines) {
  const std::string native = ToNativePath(path);
  std::error_code error;
  if (std::filesystem::is_directory(native, error)) {
    return false;
  }
  std::ifstream in(native, std::ios::binary);
  if (!in) {
    return false;
  }
  for (std::string line; std::getline(in, line);) {
    const std::string text(TrimWhiteSpace(Utf8ToCp1252(line)));
    if (!text.empty()) {
      lines.push_back(text);
    }
  }
  return !in.bad();
}

}  // namespace

std::string FormatVerifyReport(const std::string& path,
                               const VerifyResult& result) {
  if (!result.bOpened) {
    return FormatString(IDS_VERIFY_CANNOT_OPEN, {path}) + "\n";
  }
  std::string report;
  for (const VerifyFinding& finding : result.findings) {
    report += Where(path, finding.nLine) + ": " + Describe(finding) + "\n";
  }
  const std::string count = CountOfFindings(result.findings.size());
  if (result.nSamples == 0) {
    report +=
        FormatString(IDS_VERIFY_SUMMARY_NO_SAMPLES, {BaseName(path), count});
  } else {
    report +=
        FormatString(IDS_VERIFY_SUMMARY,
                     {BaseName(path), std::to_string(result.nSamplesReached),
                      std::to_string(result.nSamples), count});
  }
  return report + "\n";
}

std::string FormatCorpusReport(const std::string& path,
                               const CorpusResult& result) {
  if (!result.bOpened) {
    return FormatString(IDS_VERIFY_CANNOT_OPEN, {path}) + "\n";
  }
  std::string report;
  std::size_t keyword = 0;
  for (const CorpusLine& line : result.lines) {
    if (line.situation == TraceSituation::Keyword) {
      ++keyword;
      report += FormatString(
          IDS_VERIFY_INPUT_ROW,
          {line.strInput, Where(line.pattern), line.pattern.strText});
    } else {
      report += FormatString(IDS_VERIFY_INPUT_BLOCK,
                             {line.strInput, Block(line.strBlock)});
    }
    report += "\n";
    if (line.passedOver.nLine > 0) {
      report += FormatString(line.bPassedNoAnswers
                                 ? IDS_VERIFY_INPUT_PASSED_NO_ANSWERS
                                 : IDS_VERIFY_INPUT_PASSED_NO_CAPTURE,
                             {Where(line.passedOver), line.passedOver.strText});
      report += "\n";
    }
    for (const TraceRow& also : line.alsoMatching) {
      report +=
          FormatString(IDS_VERIFY_INPUT_ALSO, {Where(also), also.strText}) +
          "\n";
    }
  }

  if (!result.lines.empty()) {
    report += "\n";
  }
  report += FormatString(IDS_VERIFY_CORPUS_HEAD, {BaseName(path)}) + "\n";
  const std::size_t total = result.lines.size();
  if (total == 0) {
    report += std::string(LoadString(IDS_VERIFY_CORPUS_NO_LINES)) + "\n";
  } else {
    report += FormatString(
                  IDS_VERIFY_CORPUS_COUNT,
                  {std::to_string(total), std::to_string(keyword),
                   Percent(keyword, total), std::to_string(total - keyword)}) +
              "\n";
  }

  std::vector<const CorpusGroup*> answering;
  std::vector<const CorpusGroup*> unreached;
  for (const CorpusGroup& group : result.groups) {
    (group.nAnswered > 0 ? answering : unreached).push_back(&group);
  }
  if (!answering.empty()) {
    std::stable_sort(answering.begin(), answering.end(),
                     [](const CorpusGroup* a, const CorpusGroup* b) {
                       return a->nAnswered > b->nAnswered;
                     });
    answering.resize(std::min(answering.size(), kTopGroups));
    report += std::string(LoadString(IDS_VERIFY_CORPUS_TOP)) + "\n";
    for (const CorpusGroup* group : answering) {
      std::string count = std::to_string(group->nAnswered);
      count.insert(0, count.size() < 6 ? 6 - count.size() : 0, ' ');
      report += count + "  " + Row(group->first) + "\n";
    }
  }
  if (unreached.empty() && !result.groups.empty()) {
    report += FormatString(IDS_VERIFY_CORPUS_ALL_REACHED,
                           {std::to_string(result.groups.size())}) +
              "\n";
  } else {
    report += FormatString(IDS_VERIFY_CORPUS_UNREACHED,
                           {std::to_string(unreached.size()),
                            std::to_string(result.groups.size())}) +
              "\n";
    for (const CorpusGroup* group : unreached) {
      report += "        " + Row(group->first) + "\n";
    }
  }
  return report;
}

int RunVerify(const std::vector<std::string>& files,
              const std::string& languageFile, std::ostream& out) {
  return RunOverProfiles(
      files, languageFile, out,
      [](const CChatEngine& engine, const std::string& path) {
        const VerifyResult result = engine.VerifyProfile();
        return ProfileOutcome{result.bOpened, !result.findings.empty(),
                              FormatVerifyReport(path, result)};
      });
}

int RunVerifyInputs(const std::string& inputsFile, const std::string& profile,
                    const std::string& languageFile, std::ostream& out,
                    std::ostream& err) {
  std::vector<std::string> inputs;
  if (!ReadInputLines(inputsFile, inputs)) {
    PrintUtf8(err, FormatString(IDS_VERIFY_INPUTS_FAILED, {inputsFile}) + "\n");
    return kVerifyCannotOpen;
  }
  CChatEngine engine;
  engine.SetLanguageFile(languageFile.empty() ? GetDefaultLanguageFile()
                                              : languageFile);
  engine.SetProfile(profile);
  const CorpusResult result = engine.RunInputs(inputs);
  PrintUtf8(out, FormatCorpusReport(profile, result));
  out.flush();
  return result.bOpened ? kVerifyClean : kVerifyCannotOpen;
}

}  // namespace pladdo
