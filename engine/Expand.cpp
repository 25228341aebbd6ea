// Answer expansion: built-in variables, block variables, files, the capital
// marker, the nesting depth and the per-answer evaluation budget.
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "engine/ChatEngine.h"
#include "engine/Clock.h"
#include "engine/MessageCodes.h"
#include "engine/TextUtil.h"

namespace pladdo {

namespace {

std::string LoopProtection(std::string_view value) {
  std::string note = "[";
  note += codes::kLoopProtection;
  note += ' ';
  note += value;
  note += ']';
  return note;
}

std::string TwoDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

// The two-digit form without a leading "0" ("00" gives "0").
std::string OneDigit(int value) {
  std::string text = TwoDigits(value);
  if (text.size() > 1 && text.front() == '0') {
    text.erase(0, 1);
  }
  return text;
}

// Keeps the nesting count true however ExpandAnswer is left.
class NestingGuard {
 public:
  explicit NestingGuard(int& nesting) : m_nNesting(nesting) { ++m_nNesting; }
  ~NestingGuard() { --m_nNesting; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;

 private:
  int& m_nNesting;
};

}  // namespace

TraceVariable* CChatEngine::TraceNextVariable(std::string_view variable) {
  if (!m_bTracing) {
    return nullptr;
  }
  if (m_trace.variables.size() >= kTraceVariables) {
    ++m_trace.nVariablesOmitted;
    return nullptr;
  }
  TraceVariable& traced = m_trace.variables.emplace_back();
  traced.nDepth = m_nExpandNesting - 1;
  traced.strVariable = variable;
  return &traced;
}

void CChatEngine::ExpandAnswer(std::string& text, int depth) {
  if (m_nExpandNesting == 0) {
    m_nEvaluationsLeft = kExpandBudget;
    m_nAnswerBytes = text.size();
  }
  NestingGuard guard(m_nExpandNesting);

  // The result is built by appending, not by replacing in place: a text of
  // many variables (a long line of them) would otherwise move its tail once
  // per variable. Inserted values are never scanned again at this level, so
  // the search goes on in the original text right after each variable.
  std::string result;
  std::size_t scan = 0;
  std::string variable;
  for (;;) {
    std::size_t found = scan;
    if (!FindVariable(text, variable, found)) {
      if (scan > 0) {
        result.append(text, scan, std::string::npos);
        text = std::move(result);
      }
      return;
    }
    const std::size_t length = variable.size();
    TraceVariable* traced = TraceNextVariable(variable);
    if (m_nEvaluationsLeft <= 0 || m_nAnswerBytes > kMaxAnswerBytes) {
      // A profile that doubles its variables at every level would cost about
      // a million evaluations; past the budget, or once the answer is past
      // its size limit, nothing more is evaluated.
      variable = LoopProtection(variable);
      if (traced != nullptr) {
        (m_nEvaluationsLeft <= 0 ? traced->bBudgetNote : traced->bSizeNote) =
            true;
      }
    } else {
      m_drawnRow = {};
      EvaluateVariable(variable);
      if (traced != nullptr) {
        traced->strValue = variable;
        traced->bBlock = m_drawnRow.nLine > 0;
        traced->row = std::move(m_drawnRow);
        traced->bDepthNote = depth <= 0;
      }
      --m_nEvaluationsLeft;
      // The value takes the variable's place in the answer. A value of many
      // variables (a user name or capture typed as "%NAME_USER%" a thousand
      // times) would grow the answer to gigabytes; the one that would take
      // it past its limit is left out, and the answer stays past it.
      m_nAnswerBytes = m_nAnswerBytes - length + variable.size();
      if (m_nAnswerBytes > kMaxAnswerBytes) {
        variable = LoopProtection(std::string_view(text).substr(found, length));
        if (traced != nullptr) {
          traced->bSizeNote = true;
        }
      } else if (depth <= 0) {
        variable = LoopProtection(variable);
      } else {
        ExpandAnswer(variable, depth - 1);
      }
    }
    result.append(text, scan, found - scan);
    result += variable;
    scan = found + length;
  }
}

bool CChatEngine::FindVariable(std::string_view text, std::string& variable,
                               std::size_t& pos) {
  pos = pos < text.size() ? text.find('%', pos) : npos;
  if (pos == npos) {
    return false;
  }
  const std::size_t close = text.find('%', pos + 1);
  if (close == npos) {
    return false;
  }
  variable.assign(text.substr(pos, close - pos + 1));
  return true;
}

namespace {

// The built-in variables. The clock variables read the clock once per
// evaluation.
enum class BuiltIn {
  Percent,
  UserName,
  BotName,
  Capture,
  Hour2,
  Hour1,
  Minute2,
  Minute1,
  Second2,
  Second1,
  Year4,
  Year2,
  Month2,
  Month1,
  Day2,
  Day1,
};

struct BuiltInName {
  std::string_view name;
  BuiltIn value;
};

constexpr BuiltInName kBuiltIns[] = {
    {"%%", BuiltIn::Percent},
    {"%NAME_USER%", BuiltIn::UserName},
    {"%NAME_PLADDO%", BuiltIn::BotName},
    {"%FE%", BuiltIn::Capture},
    {"%SYS_TIME_HH%", BuiltIn::Hour2},
    {"%SYS_TIME_H%", BuiltIn::Hour1},
    {"%SYS_TIME_MM%", BuiltIn::Minute2},
    {"%SYS_TIME_M%", BuiltIn::Minute1},
    {"%SYS_TIME_SS%", BuiltIn::Second2},
    {"%SYS_TIME_S%", BuiltIn::Second1},
    {"%SYS_DATE_YYYY%", BuiltIn::Year4},
    {"%SYS_DATE_YY%", BuiltIn::Year2},
    {"%SYS_DATE_MM%", BuiltIn::Month2},
    {"%SYS_DATE_M%", BuiltIn::Month1},
    {"%SYS_DATE_DD%", BuiltIn::Day2},
    {"%SYS_DATE_D%", BuiltIn::Day1},
};

const BuiltInName* FindBuiltIn(std::string_view variable) {
  for (const BuiltInName& entry : kBuiltIns) {
    if (entry.name == variable) {
      return &entry;
    }
  }
  return nullptr;
}

}  // namespace

bool AnswerNeedsCapture(std::string_view answer) {
  // "%@FE%" is the same variable: without a capture it would echo nothing
  // just as well.
  return answer.find("%FE%") != std::string_view::npos ||
         answer.find("%@FE%") != std::string_view::npos;
}

CChatEngine::VariableTarget CChatEngine::ParseVariable(std::string_view text) {
  VariableTarget target;
  std::string variable(text);
  if (variable.size() > 1 && variable[1] == '@') {
    target.bCapital = true;
    std::erase(variable, '@');
  }
  if (FindBuiltIn(variable) != nullptr) {
    target.bBuiltIn = true;
    target.strBuiltIn = std::move(variable);
    return target;
  }
  const std::size_t bar = variable.find('|');
  if (bar != std::string::npos) {
    target.bOwnFile = false;
    target.strFile = variable.substr(1, bar - 1);
    // The text after the bar, with a blank in place of the bar.
    variable.erase(0, bar);
    variable.front() = ' ';
  }
  if (!variable.empty()) {
    variable.front() = ' ';
    variable.back() = ' ';
  }
  if (variable.size() > 1 && variable[1] == '@') {
    target.bCapital = true;
    variable[1] = ' ';
  }
  NormalizeSpaces(variable);
  target.strName = std::move(variable);
  return target;
}

std::string CChatEngine::BuiltInValue(std::string_view variable) const {
  const BuiltInName* entry = FindBuiltIn(variable);
  if (entry == nullptr) {
    return {};
  }
  switch (entry->value) {
    case BuiltIn::Percent:
      return "%";
    case BuiltIn::UserName:
      return m_strUserName;
    case BuiltIn::BotName:
      return m_strBotName;
    case BuiltIn::Capture:
      return m_strCapture;
    default:
      break;
  }
  const std::tm now = LocalNow();
  switch (entry->value) {
    case BuiltIn::Hour2:
      return TwoDigits(now.tm_hour);
    case BuiltIn::Hour1:
      return OneDigit(now.tm_hour);
    case BuiltIn::Minute2:
      return TwoDigits(now.tm_min);
    case BuiltIn::Minute1:
      return OneDigit(now.tm_min);
    case BuiltIn::Second2:
      return TwoDigits(now.tm_sec);
    case BuiltIn::Second1:
      return OneDigit(now.tm_sec);
    case BuiltIn::Year4:
    case BuiltIn::Year2: {
      char year[16];
      std::snprintf(year, sizeof year, "%04d", now.tm_year + 1900);
      const std::string value = year;
      return entry->value == BuiltIn::Year4 ? value : value.substr(2, 2);
    }
    case BuiltIn::Month2:
      return TwoDigits(now.tm_mon + 1);
    case BuiltIn::Month1:
      return OneDigit(now.tm_mon + 1);
    case BuiltIn::Day2:
      return TwoDigits(now.tm_mday);
    case BuiltIn::Day1:
      return OneDigit(now.tm_mday);
    default:
      return {};
  }
}

bool CChatEngine::EvaluateVariable(std::string& variable) {
  const VariableTarget target = ParseVariable(variable);
  std::string value;
  if (target.bBuiltIn) {
    value = BuiltInValue(target.strBuiltIn);
  } else {
    const std::string& file =
        target.bOwnFile ? m_strProfilePath : target.strFile;
    const std::string& name = target.strName;
    CProfileStream stream;
    if (!OpenProfile(stream, file)) {
      variable =
          "[" + std::string(codes::kVariableCantOpenFile) + " " + file + " ]";
      return false;
    }
    FindBlock(stream, name);
    ReadAnswers(stream);
    m_strAnswersFile = file;
    CloseProfile(stream);
    if (m_vecAnswers.empty()) {
      variable = "[" + name + std::string(codes::kNoVariable) + "]";
      return false;
    }
    value = PickAnswer(m_bTracing ? &m_drawnRow : nullptr);
  }

  if (target.bCapital && !value.empty()) {
    value.front() = static_cast<char>(
        ToUpperByte(static_cast<unsigned char>(value.front())));
  }
  variable = std::move(value);
  return true;
}

}  // namespace pladdo
