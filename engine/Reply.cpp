// The welcome and the reply: which block answers, and the random pick.
#include "engine/ChatEngine.h"
#include "engine/MessageCodes.h"
#include "engine/Random.h"
#include "engine/TextUtil.h"

namespace pladdo {

std::string CChatEngine::PickAnswer() const {
  if (m_vecAnswers.empty()) {
    return std::string(codes::kNoVariableAnswer);
  }
  const auto r = static_cast<std::size_t>(DrawRandom());
  return m_vecAnswers[r % m_vecAnswers.size()];
}

std::string_view CChatEngine::GetWelcome() {
  if (!LoadBlock("WELCOME")) {
    return codes::kCantOpenFile;
  }
  if (m_vecAnswers.empty()) {
    return codes::kWelcomeEmpty;
  }
  m_strAnswer = PickAnswer();
  ExpandAnswer(m_strAnswer, kExpandDepth);
  return m_strAnswer;
}

std::string_view CChatEngine::GetReply() {
  ToLower(m_strAnswer);

  bool found = false;
  if (m_bFirstTurn) {
    found = LoadBlock("START");
    m_bFirstTurn = false;
  } else if (m_strPrevInput == m_strInput) {
    found = LoadBlock("REPEAT");
  } else if (m_strPrevInput == m_strAnswer) {
    found = LoadBlock("IMITATE");
  }
  if (!found) {
    found = MatchSpeak();
  }
  if (!found) {
    found = LoadBlock("NOTFOUND");
  }
  if (!found) {
    return codes::kNoProfile;
  }
  m_strAnswer = PickAnswer();
  ExpandAnswer(m_strAnswer, kExpandDepth);
  return m_strAnswer;
}

}  // namespace pladdo
