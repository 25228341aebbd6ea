// The profile checker: reads the engine's profile from top to bottom and
// reports, block by block, the rows that break its rules, with line numbers.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/ChatEngine.h"
#include "engine/ProfileStream.h"
#include "engine/TextUtil.h"

namespace pladdo {

namespace {

// The working state of one run; nothing of it outlives the run.
class CProfileCheck {
 public:
  // Entries go to report; engine evaluates the variables of answer rows.
  CProfileCheck(std::string& report, CChatEngine& engine)
      : m_report(report), m_engine(engine) {}

  // Tests one row (not empty) read from line lineNumber.
  void CheckRow(const std::string& row, std::int32_t lineNumber) {
    const std::string lineTag = "[" + std::to_string(lineNumber) + "] ";
    const char first = row.front();

    if (!m_bRowsFree && first != '?' && first != '!' && first != '[') {
      AddEntry(lineTag + row + "\n#ILLEGALROW#\n");
    }

    if (first == '[') {
      if (row.back() == ']') {
        StartBlock(row);
      } else {
        // A broken header opens nothing: the rows after it still belong to
        // the block before.
        AddEntry("\n" + lineTag + row + " \n#ILLEGALBLOCKNAME#\n");
      }
    }

    if (first == '!') {
      ++m_nAnswerCount;
      CheckVariables(row, lineTag);
    }

    if (first == '?') {
      if (row.find("**") != std::string::npos) {
        AddEntry(lineTag + row + "\n#DOUBLEASTERISK#\n");
      }
      if (row.find(" *") != std::string::npos) {
        AddEntry(lineTag + row + "\n#SPACEANDASTERISK#\n");
      }
    }

    if (std::count(row.begin(), row.end(), '%') % 2 != 0) {
      AddEntry(lineTag + row + "\n#ODDPRECENT#\n");
    }
  }

  // Closes the last block at the end of the file. Its entries, and any still
  // waiting from before the first block, are listed under its name.
  void Finish() {
    if (m_nAnswerCount == 0) {
      AddEntry("#NOANSWER#\n");
    }
    if (!m_strPending.empty()) {
      FlushBlock();
    }
  }

  // Counts a fault that is not an entry of any block (the missing language).
  void CountFault() { ++m_nFaults; }

  unsigned GetFaultCount() const { return m_nFaults; }

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
        AddEntry("#NOANSWER#\n");
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
    std::size_t pos = 0;
    std::string variable;
    while (CChatEngine::FindVariable(row, variable, pos)) {
      std::string value = variable;
      if (!m_engine.EvaluateVariable(value)) {
        AddEntry(lineTag + "\"" + variable + "\"\n#NOVARIABLE#\n");
        return;
      }
      pos += variable.size();
    }
  }

  std::string& m_report;
  CChatEngine& m_engine;
  std::string m_strPending;
  unsigned m_nFaults = 0;
  std::string m_strBlockName;
  int m_nAnswerCount = 0;
  bool m_bRowsFree = true;
  bool m_bBlockOpen = false;
  bool m_bBlockFault = false;
};

}  // namespace

std::string CChatEngine::CheckProfile() {
  std::string report = "#FILENAME# " + m_strProfilePath + "\n";

  CProfileStream stream;
  if (!OpenProfile(stream, m_strProfilePath)) {
    report += "#DEBUG_COLDNTOPENFILE#\n";
    return report;
  }
  CloseProfile(stream);

  CProfileCheck check(report, *this);
  report += "\n#NAME# ";
  report += GetInfo(InfoField::Name);
  report += "\n#VERSION# ";
  report += GetInfo(InfoField::Version);
  report += "\n#AUTHOR# ";
  report += GetInfo(InfoField::Creator);
  report += "\n#INFO# ";
  report += GetInfo(InfoField::Info);
  report += "\n#LANGUAGE# ";
  report += GetInfo(InfoField::Language);
  if (m_vecFromWords.empty()) {
    report += " (#NOLANGUAGE#)";
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

  if (check.GetFaultCount() == 0) {
    report += "\n#NOERROR#";
  } else {
    report += "\n" + std::to_string(check.GetFaultCount()) + " #ERRORFOUND#";
  }
  if (bOpened) {
    CloseProfile(scan);
  }
  return report;
}

}  // namespace pladdo
