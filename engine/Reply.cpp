// The welcome and the reply: which block answers, and the random pick.
#include "engine/ChatEngine.h"
#include "engine/MessageCodes.h"
#include "engine/Random.h"
#include "engine/TextUtil.h"

namespace pladdo {

std::string CChatEngine::PickAnswer(TraceRow* row) const {
  if (m_vecAnswers.empty()) {
    if (row != nullptr) {
      *row = {};
    }
    return std::string(codes::kNoVariableAnswer);
  }
  const auto r = static_cast<std::size_t>(DrawRandom());
  const std::size_t i = r % m_vecAnswers.size();
  if (row != nullptr) {
    row->strFile = m_strAnswersFile;
    row->nLine = i < m_vecAnswerLines.size() ? m_vecAnswerLines[i] : 0;
    row->strText = "!" + m_vecAnswers[i];
  }
  return m_vecAnswers[i];
}

std::string_view CChatEngine::GetWelcome() {
  if (m_bTracing) {
    m_trace = {};
    m_trace.strProfile = m_strProfilePath;
    m_trace.situation = TraceSituation::Welcome;
    m_trace.strBlock = "WELCOME";
  }
  if (!LoadBlock("WELCOME")) {
    m_trace.situation = TraceSituation::NoProfile;
    m_trace.strReply = codes::kCantOpenFile;
    return codes::kCantOpenFile;
  }
  if (m_vecAnswers.empty()) {
    m_trace.situation = TraceSituation::WelcomeEmpty;
    m_trace.strReply = codes::kWelcomeEmpty;
    return codes::kWelcomeEmpty;
  }
  m_strAnswer = PickAnswer(m_bTracing ? &m_trace.answer : nullptr);
  ExpandAnswer(m_strAnswer, kExpandDepth);
  if (m_bTracing) {
    m_trace.strReply = m_strAnswer;
  }
  return m_strAnswer;
}

std::string_view CChatEngine::GetReply() {
  if (m_bTracing) {
    m_trace = {};
    m_trace.strProfile = m_strProfilePath;
    m_trace.strInput = m_strInput;
  }
  ToLower(m_strAnswer);

  bool found = false;
  TraceSituation situation = TraceSituation::None;
  std::string_view block;
  if (m_bFirstTurn) {
    situation = TraceSituation::FirstTurn;
    block = "START";
    found = LoadBlock(block);
    m_bFirstTurn = false;
  } else if (m_strPrevInput == m_strInput) {
    situation = TraceSituation::Repeat;
    block = "REPEAT";
    found = LoadBlock(block);
  } else if (m_strPrevInput == m_strAnswer) {
    situation = TraceSituation::Imitate;
    block = "IMITATE";
    found = LoadBlock(block);
  }
  if (!found) {
    situation = TraceSituation::Keyword;
    block = "SPEAK";
    found = MatchSpeak();
  }
  if (!found) {
    situation = TraceSituation::Fallback;
    block = "NOTFOUND";
    found = LoadBlock(block);
  }
  if (!found) {
    m_trace.situation = TraceSituation::NoProfile;
    m_trace.strBlock.clear();
    m_trace.strReply = codes::kNoProfile;
    return codes::kNoProfile;
  }
  if (m_bTracing) {
    m_trace.situation = situation;
    m_trace.strBlock = block;
  }
  m_strAnswer = PickAnswer(m_bTracing ? &m_trace.answer : nullptr);
  ExpandAnswer(m_strAnswer, kExpandDepth);
  if (m_bTracing) {
    m_trace.strReply = m_strAnswer;
  }
  return m_strAnswer;
}

}  // namespace pladdo
