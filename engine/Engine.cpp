// CChatEngine: construction, reset, names, inputs and the profile path.
#include "engine/ChatEngine.h"
#include "engine/Random.h"
#include "engine/TextUtil.h"

namespace pladdo {

CChatEngine::CChatEngine() {
  Reset();
  m_nLineCount = 0;
  SeedRandomFromClock();
  m_strLanguageFile = "language.dat";
}

void CChatEngine::Reset() {
  m_bFirstTurn = true;
  m_strBotName = kDefaultBotName;
  m_strInput.clear();
  m_strCapture.clear();
  m_strAnswer.clear();
  m_strUserName.clear();
}

void CChatEngine::SetBotName() {
  CProfileStream stream;
  if (!OpenProfile(stream, m_strProfilePath)) {
    m_strBotName = kDefaultBotName;
    return;
  }
  FindBlock(stream, "NAME");
  ReadAnswers(stream);
  CloseProfile(stream);
  // The name is taken as written: a variable in a NAME row is not expanded.
  m_strBotName = PickAnswer();
}

void CChatEngine::SetInput(std::string_view input) {
  m_strPrevInput = std::move(m_strInput);
  m_strInput = input;
  ToLower(m_strInput);
}

void CChatEngine::SetProfile(std::string_view path) {
  m_strProfilePath = path;
  LoadLanguageTable();
}

}  // namespace pladdo
