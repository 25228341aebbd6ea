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
  const std::string language = languageFile.empty()
                                   ? GetProgramFolder(true) + "language.dat"
                                   : languageFile;
  bool cannotOpen = false;
  bool faults = false;
  for (std::size_t i = 0; i < files.size(); ++i) {
    CChatEngine engine;
    engine.SetLanguageFile(language);
    engine.SetProfile(files[i]);
    const std::string report = engine.CheckProfile();
    // The report ends in one of three fixed pieces: no faults, the fault
    // count, or the file that could not be opened.
    if (report.ends_with("#DEBUG_COLDNTOPENFILE#\n")) {
      cannotOpen = true;
    } else if (!report.ends_with("\n#NOERROR#")) {
      faults = true;
    }
    if (i > 0) out << '\n';
    std::string text = Cp1252ToUtf8(TranslateCheckerReport(report));
    if (!text.ends_with('\n')) text += '\n';
    out << text;
  }
  out.flush();
  if (cannotOpen) return kCheckCannotOpen;
  return faults ? kCheckFaults : kCheckNoFaults;
}

}  // namespace pladdo
