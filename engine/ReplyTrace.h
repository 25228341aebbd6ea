// ReplyTrace: how the engine's last welcome or reply came about, for the bot
// author who asks why a line got its answer. The engine records it on every
// welcome and reply; reading it changes nothing.
#pragma once

#include <string>
#include <vector>

namespace pladdo {

// A row of a profile (or of a variable's file) as the trace names it.
struct TraceRow {
  std::string strFile;  // the path as the engine opened it
  int nLine = 0;        // the line, counted as the checker counts; 0: none
  std::string strText;  // the row as read: comment cut, blanks folded
};

// Which rule chose the block that answered.
enum class TraceSituation {
  None,          // nothing answered yet
  Welcome,       // GetWelcome: the WELCOME block
  FirstTurn,     // the first reply after a restart: START
  Repeat,        // the input equals the previous input: REPEAT
  Imitate,       // the previous input equals the last answer: IMITATE
  Keyword,       // a pattern row matched: its group in SPEAK
  Fallback,      // no usable pattern: NOTFOUND
  NoProfile,     // the profile could not be opened
  WelcomeEmpty,  // the WELCOME block is missing or has no answer row
};

// One variable expanded on the way to the answer, in the order of
// evaluation.
struct TraceVariable {
  int nDepth = 0;            // 0: in the answer row itself; 1: in a value...
  std::string strVariable;   // as written, "%" signs included
  std::string strValue;      // its value (or message note), before the
                             // variables inside it were expanded
  bool bBlock = false;       // a block or file variable
  TraceRow row;              // for a block or file variable: the row drawn
  bool bDepthNote = false;   // nested too deep: shown as the loop note
  bool bBudgetNote = false;  // over the budget: not evaluated at all
  bool bSizeNote = false;    // left out: the answer would pass its size limit
};

struct ReplyTrace {
  TraceSituation situation = TraceSituation::None;
  std::string strProfile;  // the profile the engine read
  std::string strInput;    // the line answered, lower-cased as matched
  std::string strBlock;  // the block read for the answer ("SPEAK" for a group)
  // Keyword: the pattern row that matched, what the input held after it and
  // what that became after the word swap (the value of %FE%).
  TraceRow pattern;
  std::string strCaptured;
  std::string strSwapped;
  // A pattern row that matched but whose every answer needs %FE% while
  // nothing was captured: its group was passed over for NOTFOUND.
  TraceRow droppedPattern;
  TraceRow answer;  // the answer row drawn (nLine 0 when none was)
  std::vector<TraceVariable> variables;
  int nVariablesOmitted = 0;  // evaluated past the length of the list
  std::string strReply;       // what the engine returned, codes and all
};

}  // namespace pladdo
