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

bool CChatEngine::EvaluateVariable(std::string& variable) {
  bool capital = false;
  if (variable.size() > 1 && variable[1] == '@') {
    capital = true;
    std::erase(variable, '@');
  }

  // The built-in values; the clock is read once for this evaluation.
  std::string value;
  bool builtIn = true;
  if (variable == "%%") {
    value = "%";
  } else if (variable == "%NAME_USER%") {
    value = m_strUserName;
  } else if (variable == "%NAME_PLADDO%") {
    value = m_strBotName;
  } else if (variable == "%FE%") {
    value = m_strCapture;
  } else if (variable.starts_with("%SYS_")) {
    const std::tm now = LocalNow();
    if (variable == "%SYS_TIME_HH%") {
      value = TwoDigits(now.tm_hour);
    } else if (variable == "%SYS_TIME_H%") {
      value = OneDigit(now.tm_hour);
    } else if (variable == "%SYS_TIME_MM%") {
      value = TwoDigits(now.tm_min);
    } else if (variable == "%SYS_TIME_M%") {
      value = OneDigit(now.tm_min);
    } else if (variable == "%SYS_TIME_SS%") {
      value = TwoDigits(now.tm_sec);
    } else if (variable == "%SYS_TIME_S%") {
      value = OneDigit(now.tm_sec);
    } else if (variable == "%SYS_DATE_YYYY%" || variable == "%SYS_DATE_YY%") {
      char year[16];
      std::snprintf(year, sizeof year, "%04d", now.tm_year + 1900);
      value = year;
      if (variable == "%SYS_DATE_YY%") {
        value = value.substr(2, 2);
      }
    } else if (variable == "%SYS_DATE_MM%") {
      value = TwoDigits(now.tm_mon + 1);
    } else if (variable == "%SYS_DATE_M%") {
      value = OneDigit(now.tm_mon + 1);
    } else if (variable == "%SYS_DATE_DD%") {
      value = TwoDigits(now.tm_mday);
    } else if (variable == "%SYS_DATE_D%") {
      value = OneDigit(now.tm_mday);
    } else {
      builtIn = false;
    }
  } else {
    builtIn = false;
  }

  if (!builtIn) {
    std::string file = m_strProfilePath;
    const std::size_t bar = variable.find('|');
    if (bar != std::string::npos) {
      file = variable.substr(1, bar - 1);
      // The text after the bar, with a blank in place of the bar.
      variable.erase(0, bar);
      variable.front() = ' ';
    }
    if (!variable.empty()) {
      variable.front() = ' ';
      variable.back() = ' ';
    }
    if (variable.size() > 1 && variable[1] == '@') {
      capital = true;
      variable[1] = ' ';
    }
    NormalizeSpaces(variable);
    const std::string name = variable;

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

  if (capital && !value.empty()) {
    value.front() = static_cast<char>(
        ToUpperByte(static_cast<unsigned char>(value.front())));
  }
  variable = std::move(value);
  return true;
}

}  // namespace pladdo
