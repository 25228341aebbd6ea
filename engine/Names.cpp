// The bot names a profile offers in its NAME block, listed one by one for the
// profile chooser.
#include <string_view>

#include "engine/ChatEngine.h"

namespace pladdo {

int CChatEngine::GetNameCount() {
  // A profile that cannot be opened leaves the answer list as the last read
  // left it; the count then reflects that list.
  LoadBlock("NAME");
  return static_cast<int>(m_vecAnswers.size());
}

std::string_view CChatEngine::GetNameAt(int i) {
  LoadBlock("NAME");
  // The caller keeps i below GetNameCount(); the file may have changed since
  // that call, so an index that no longer exists yields the empty text
  // rather than reading outside the list.
  if (i < 0 || static_cast<std::size_t>(i) >= m_vecAnswers.size()) {
    return {};
  }
  return m_vecAnswers[static_cast<std::size_t>(i)];
}

}  // namespace pladdo
