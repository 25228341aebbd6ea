// "Varför det svaret?": the engine's trace told in Swedish.
#include "ui/WhyText.h"

#include "ui/FileUtil.h"
#include "ui/Messages.h"
#include "ui/StringTable.h"

namespace pladdo {
namespace {

// The rule that chose the block, as one sentence.
int SituationText(TraceSituation situation) {
  switch (situation) {
    case TraceSituation::None:
      return IDS_WHY_NONE;
    case TraceSituation::Welcome:
      return IDS_WHY_WELCOME;
    case TraceSituation::FirstTurn:
      return IDS_WHY_FIRST_TURN;
    case TraceSituation::Repeat:
      return IDS_WHY_REPEAT;
    case TraceSituation::Imitate:
      return IDS_WHY_IMITATE;
    case TraceSituation::Keyword:
      return IDS_WHY_KEYWORD;
    case TraceSituation::Fallback:
      return IDS_WHY_FALLBACK;
    case TraceSituation::NoProfile:
      return IDS_WHY_NO_PROFILE;
    case TraceSituation::WelcomeEmpty:
      return IDS_WHY_WELCOME_EMPTY;
  }
  return IDS_WHY_NONE;
}

void AddLine(std::string& text, std::string_view line, int indent = 0) {
  text.append(static_cast<std::size_t>(indent) * 2, ' ');
  text += line;
  text += '\n';
}

}  // namespace

std::string NameTraceRow(const TraceRow& row) {
  return GetFileNamePart(row.strFile) + ":" + std::to_string(row.nLine) + " " +
         row.strText;
}

std::string DescribeTrace(const ReplyTrace& trace, std::string_view heading) {
  std::string text;
  AddLine(text, heading);
  if (trace.situation == TraceSituation::None) {
    AddLine(text, LoadString(IDS_WHY_NONE), 1);
    return text;
  }
  if (trace.situation != TraceSituation::Welcome &&
      trace.situation != TraceSituation::WelcomeEmpty) {
    AddLine(text, FormatString(IDS_WHY_INPUT, trace.strInput), 1);
  }
  AddLine(text, FormatString(IDS_WHY_REPLY, TranslateCodes(trace.strReply)), 1);
  const int rule = SituationText(trace.situation);
  AddLine(text,
          rule == IDS_WHY_NO_PROFILE ? FormatString(rule, trace.strProfile)
                                     : std::string(LoadString(rule)),
          1);
  if (trace.droppedPattern.nLine > 0) {
    AddLine(text,
            FormatString(IDS_WHY_DROPPED, NameTraceRow(trace.droppedPattern)),
            1);
  }
  if (trace.situation == TraceSituation::Keyword) {
    AddLine(text, FormatString(IDS_WHY_PATTERN, NameTraceRow(trace.pattern)),
            1);
    AddLine(text,
            trace.strCaptured.empty()
                ? std::string(LoadString(IDS_WHY_NO_CAPTURE))
                : FormatString(IDS_WHY_CAPTURE, trace.strCaptured,
                               trace.strSwapped),
            1);
  }
  if (trace.situation == TraceSituation::NoProfile ||
      trace.situation == TraceSituation::WelcomeEmpty) {
    return text;
  }
  AddLine(text,
          trace.answer.nLine > 0
              ? FormatString(IDS_WHY_ANSWER, NameTraceRow(trace.answer))
              : std::string(LoadString(IDS_WHY_NO_ANSWER)),
          1);
  if (trace.variables.empty()) {
    return text;
  }
  AddLine(text, LoadString(IDS_WHY_VARIABLES), 1);
  for (const TraceVariable& variable : trace.variables) {
    const int indent = 2 + variable.nDepth;
    if (variable.bBudgetNote) {
      AddLine(text, FormatString(IDS_WHY_BUDGET_NOTE, variable.strVariable),
              indent);
      continue;
    }
    std::string line = FormatString(IDS_WHY_VARIABLE, variable.strVariable,
                                    TranslateCodes(variable.strValue));
    if (variable.bBlock) {
      line =
          FormatString(IDS_WHY_VARIABLE_ROW, line, NameTraceRow(variable.row));
    }
    AddLine(text, line, indent);
    if (variable.bSizeNote) {
      AddLine(text, FormatString(IDS_WHY_SIZE_NOTE, variable.strVariable),
              indent + 1);
    }
    if (variable.bDepthNote) {
      AddLine(text, FormatString(IDS_WHY_DEPTH_NOTE, variable.strVariable),
              indent + 1);
    }
  }
  if (trace.nVariablesOmitted > 0) {
    AddLine(
        text,
        FormatString(IDS_WHY_OMITTED, std::to_string(trace.nVariablesOmitted)),
        2);
  }
  return text;
}

}  // namespace pladdo
