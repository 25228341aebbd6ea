// What `pladdo verify` finds in a profile: samples ("#>" comment lines) that
// do not reach their group, pattern rows that can never answer, variables
// that point nowhere and blocks no variable names; and, for a list of input
// lines, which row answered each. CChatEngine::VerifyProfile and
// CChatEngine::RunInputs fill these; the terminal words them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/ReplyTrace.h"

namespace pladdo {

// The text of a sample line: what follows "#>" on a line that begins with it
// after blanks and tabs, trimmed; nothing when the line is no sample line.
bool SampleOfLine(std::string_view line, std::string& sample);

// The user name the verifying conversations use: one that equals none of
// texts (case ignored), so that no input repeats it.
std::string ChooseUserName(const std::vector<std::string>& texts);

enum class FindingKind {
  // A sample ...
  SampleOtherGroup,      // answered by another group's row (other)
  SampleOtherBlock,      // answered by a block (strBlock): NOTFOUND, ...
  SampleOwnNoCapture,    // reached its group, whose answers all need %FE%,
                         // with nothing captured: NOTFOUND answered
  SampleOwnNoAnswers,    // reached its group, which has no answer row
  SampleOtherNoCapture,  // taken by another group (other) that needs %FE%
  SampleOtherNoAnswers,  // taken by another group (other) without answers
  SampleNoPattern,       // no pattern row below it
  SampleBeforeSpeak,     // its pattern row stands before [SPEAK]
  SampleNoSpeak,         // the profile has no SPEAK block
  SampleEmpty,           // "#>" with nothing after it
  SampleUnanswered,      // the profile could not be read for its reply
  // A pattern row ...
  PatternShadowed,     // every input of it is taken by other
  PatternBeforeSpeak,  // it stands before [SPEAK]: never tried
  PatternNoSpeak,      // the profile has no SPEAK block: never tried
  // A variable of an answer row ...
  VariableNoBlock,        // names a block the profile lacks
  VariableEmptyBlock,     // names a block without answer rows
  VariableNoFile,         // names a file (strFile) that cannot be opened
  VariableNoBlockInFile,  // names a block (strBlock) that strFile lacks
  VariableEmptyBlockInFile,
  // A block ...
  BlockUnused,     // no variable names it
  BlockDuplicate,  // an earlier block of the same name (nOtherLine) is
                   // always found first
};

struct VerifyFinding {
  FindingKind kind = FindingKind::SampleOtherGroup;
  int nLine = 0;         // the line it is about
  std::string strText;   // the sample, the row, the variable or block name
  TraceRow other;        // the row that answered, took or shadows it
  int nGroupLine = 0;    // a sample's own group: its first pattern row
  int nOtherLine = 0;    // a pattern row or block it refers to
  std::string strBlock;  // the block that answered; a variable's block name
  std::string strFile;   // a variable's file
};

struct VerifyResult {
  bool bOpened = false;
  int nSamples = 0;
  int nSamplesReached = 0;              // samples answered by their own group
  std::vector<VerifyFinding> findings;  // by line
};

// A keyword group as the corpus report names it: its first pattern row.
struct CorpusGroup {
  TraceRow first;
  int nAnswered = 0;  // input lines it answered
};

// How one input line was answered.
struct CorpusLine {
  std::string strInput;  // as given (Windows-1252)
  TraceSituation situation = TraceSituation::None;
  std::string strBlock;  // the block that answered
  TraceRow pattern;      // Keyword: the row that matched
  int nGroup = -1;       // Keyword: the index of its group in groups
  // Fallback after a group was passed over: its row, and whether it had no
  // answer rows at all (else all of them needed %FE%).
  TraceRow passedOver;
  bool bPassedNoAnswers = false;
  // Later groups that would also have matched: their first matching rows.
  std::vector<TraceRow> alsoMatching;
};

struct CorpusResult {
  bool bOpened = false;
  std::vector<CorpusLine> lines;
  std::vector<CorpusGroup> groups;  // every group that is tried, file order
};

}  // namespace pladdo
