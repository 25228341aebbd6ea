// The profile checker: reads the engine's profile from top to bottom and
// reports, block by block, the rows that break its rules, with line numbers.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "engine/ChatEngine.h"
#include "engine/MessageCodes.h"
#include "engine/ProfileStream.h"
#include "engine/TextUtil.h"

namespace pladdo {

namespace {

// A code on a line of its own.
std::string Line(std::string_view code) {
  std::string line(code);
  line += '\n';
  return line;
}

// The working state of one run; nothing of it outlives the run.
class CProfileCheck {
 public:
  // Entries go to report; firstMissing gives the first variable of an
  // answer row that has no value, or nothing.
  using FirstMissing =
      std::function<std::optional<std::string>(const std::string& row)>;
  CProfileCheck(std::string& report, FirstMissing firstMissing)
      : m_report(report), m_firstMissing(std::move(firstMissing)) {}

  // Tests one row (not empty) read from line lineNumber.
  void CheckRow(const std::string& row, std::int32_t lineNumber) {
    const std::string lineTag = "[" + std::to_string(lineNumber) + "] ";
    const char first = row.front();

    if (!m_bRowsFree && first != '?' && first != '!' && first != '[') {
      AddEntry(lineTag + row + "\n" + Line(codes::kIllegalRow));
    }

    if (first == '[') {
      if (row.back() == ']') {
        StartBlock(row);
      } else {
        // A broken header opens nothing: the rows after it still belong to
        // the block before.
        AddEntry("\n" + lineTag + row + " \n" + Line(codes::kIllegalBlockName));
      }
    }

    if (first == '!') {
      ++m_nAnswerCount;
      CheckVariables(row, lineTag);
    }

    if (first == '?') {
      if (row.find("**") != std::string::npos) {
        AddEntry(lineTag + row + "\n" + Line(codes::kDoubleAsterisk));
      }
      if (row.find(" *") != std::string::npos) {
        AddEntry(lineTag + row + "\n" + Line(codes::kSpaceAndAsterisk));
      }
    }

    if (std::count(row.begin(), row.end(), '%') % 2 != 0) {
      AddEntry(lineTag + row + "\n" + Line(codes::kOddPercent));
    }
  }

  // Closes the last block at the end of the file. Its entries, and any still
  // waiting from before the first block, are listed under its name.
  void Finish() {
    if (m_nAnswerCount == 0) {
      AddEntry(Line(codes::kNoAnswer));
    }
    if (!m_strPending.empty()) {
      FlushBlock();
    }
  }

  // Counts a fault that is not an entry of any block (the missing language).
  void CountFault() { ++m_nFaults; }

  int GetFaultCount() const { return m_nFaults; }

 private:
  void AddEntry(const std::string& entry) {
    m_strPending += entry;
    ++m_nFaults;
    m_bBlockFault = true;
  }

  void FlushBlock() {
    m_report += "\n" + m_strBlockName + "\n" + m_strPending;
    m_strPending.clear();
  }

  // A well-formed header. A leading "[INFO]" block holds free rows and is
  // never closed; the first other header opens the strict phase, in which
  // every header closes the block before it.
  void StartBlock(const std::string& row) {
    if (m_bBlockOpen) {
      if (m_nAnswerCount == 0) {
        AddEntry(Line(codes::kNoAnswer));
      }
      if (m_bBlockFault) {
        FlushBlock();
      }
    } else if (row != "[INFO]") {
      m_bBlockOpen = true;
      m_bRowsFree = false;
    } else {
      m_bRowsFree = true;
    }
    m_bBlockFault = false;
    m_strBlockName = row;
    m_nAnswerCount = 0;
  }

  // Lists the first variable of an answer row that has no value; a row
  // yields at most one such entry.
  void CheckVariables(const std::string& row, const std::string& lineTag) {
    if (const std::optional<std::string> variable = m_firstMissing(row)) {
      AddEntry(lineTag + "\"" + *variable + "\"\n" +
               Line(codes::kNoVariableValue));
    }
  }

  std::string& m_report;
  FirstMissing m_firstMissing;
  std::string m_strPending;
  int m_nFaults = 0;
  std::string m_strBlockName;
  int m_nAnswerCount = 0;
  bool m_bRowsFree = true;
  bool m_bBlockOpen = false;
  bool m_bBlockFault = false;
};

}  // namespace

CheckResult CChatEngine::CheckProfile() const {
  // The checker evaluates every variable it meets, which draws block answers
  // into the answer list and counts lines: a copy keeps that away from the
  // conversation.
  CChatEngine scratch(*this);
  return scratch.RunCheck();
}

CheckResult CChatEngine::RunCheck() {
  CheckResult result;
  std::string& report = result.strReport;
  report = std::string(codes::kFileName) + " " + m_strProfilePath + "\n";

  CProfileStream stream;
  if (!OpenProfile(stream, m_strProfilePath)) {
    report += Line(codes::kCouldNotOpenFile);
    return result;
  }
  CloseProfile(stream);
  result.bOpened = true;

  CProfileCheck check(report, [this](const std::string& row) {
    std::size_t pos = 0;
    std::string variable;
    while (FindVariable(row, variable, pos)) {
      std::string value = variable;
      if (!EvaluateVariable(value)) {
        return std::optional<std::string>(variable);
      }
      pos += variable.size();
    }
    return std::optional<std::string>();
  });
  const std::pair<std::string_view, InfoField> info[] = {
      {codes::kName, InfoField::Name},
      {codes::kVersion, InfoField::Version},
      {codes::kAuthor, InfoField::Creator},
      {codes::kInfo, InfoField::Info},
      {codes::kLanguage, InfoField::Language},
  };
  for (const auto& [code, field] : info) {
    report += "\n";
    report += code;
    report += " ";
    report += GetInfo(field);
  }
  if (m_vecFromWords.empty()) {
    report += " (";
    report += codes::kNoLanguage;
    report += ")";
    check.CountFault();
  }
  report += "\n";

  // The file may have vanished since the first opening; it then reads as
  // an empty file, which the end-of-file rules still report on.
  CProfileStream scan;
  const bool bOpened = OpenProfile(scan, m_strProfilePath);
  m_nLineCount = 0;
  if (bOpened) {
    for (;;) {
      std::string row = ReadRow(scan, true);
      NormalizeSpaces(row);
      if (row.empty()) {
        break;  // end of the file
      }
      check.CheckRow(row, m_nLineCount);
    }
  }
  check.Finish();

  result.nFaults = check.GetFaultCount();
  if (result.nFaults == 0) {
    report += "\n";
    report += codes::kNoError;
  } else {
    report += "\n" + std::to_string(result.nFaults) + " ";
    report += codes::kErrorFound;
  }
  if (bOpened) {
    CloseProfile(scan);
  }
  return result;
}

}  // namespace pladdo
