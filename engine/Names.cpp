// The bot names a profile offers in its NAME block, for the profile chooser
// and the terminal's /info.
#include "engine/ChatEngine.h"

namespace pladdo {

std::vector<std::string> CChatEngine::GetNames() const {
  std::vector<std::string> names;
  CProfileStream stream;
  if (!OpenProfile(stream, m_strProfilePath)) {
    return names;
  }
  FindBlock(stream, "NAME");
  ReadAnswerRows(stream, names);
  CloseProfile(stream);
  return names;
}

}  // namespace pladdo
