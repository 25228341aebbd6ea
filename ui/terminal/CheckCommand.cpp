// `pladdo check`: runs the checker over profile files for their authors.
#include "ui/terminal/CheckCommand.h"

#include <ostream>

#include "engine/ChatEngine.h"
#include "engine/Codepage.h"
#include "ui/FileUtil.h"
#include "ui/Messages.h"

namespace pladdo {

int RunCheck(const std::vector<std::string>& files,
             const std::string& languageFile, std::ostream& out) {
  const std::string language =
      languageFile.empty() ? GetDefaultLanguageFile() : languageFile;
  bool cannotOpen = false;
  bool faults = false;
  for (std::size_t i = 0; i < files.size(); ++i) {
    CChatEngine engine;
    engine.SetLanguageFile(language);
    engine.SetProfile(files[i]);
    const CheckResult result = engine.CheckProfile();
    cannotOpen = cannotOpen || !result.bOpened;
    faults = faults || result.nFaults > 0;
    if (i > 0) out << '\n';
    std::string text = Cp1252ToUtf8(TranslateCheckerReport(result.strReport));
    if (!text.ends_with('\n')) text += '\n';
    out << text;
  }
  out.flush();
  if (cannotOpen) return kCheckCannotOpen;
  return faults ? kCheckFaults : kCheckNoFaults;
}

}  // namespace pladdo
