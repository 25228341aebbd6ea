// The loop over the profiles of `pladdo check` and `pladdo verify`.
#include "ui/terminal/ProfileCommand.h"

#include <ostream>

#include "engine/ChatEngine.h"
#include "engine/Codepage.h"
#include "ui/FileUtil.h"

namespace pladdo {

int RunOverProfiles(
    const std::vector<std::string>& files, const std::string& languageFile,
    std::ostream& out,
    const std::function<ProfileOutcome(const CChatEngine&,
                                       const std::string& path)>& examine) {
  const std::string language =
      languageFile.empty() ? GetDefaultLanguageFile() : languageFile;
  bool cannotOpen = false;
  bool findings = false;
  for (std::size_t i = 0; i < files.size(); ++i) {
    CChatEngine engine;
    engine.SetLanguageFile(language);
    engine.SetProfile(files[i]);
    const ProfileOutcome outcome = examine(engine, files[i]);
    cannotOpen = cannotOpen || !outcome.bOpened;
    findings = findings || outcome.bFindings;
    if (i > 0) out << '\n';
    std::string text = Cp1252ToUtf8(outcome.strReport);
    if (!text.ends_with('\n')) text += '\n';
    out << text;
  }
  out.flush();
  if (cannotOpen) return kProfileCannotOpen;
  return findings ? kProfileFindings : kProfileClean;
}

}  // namespace pladdo
