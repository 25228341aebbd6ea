// `pladdo check`: runs the checker over profile files for their authors.
#include "ui/terminal/CheckCommand.h"

#include <ostream>

#include "engine/ChatEngine.h"
#include "ui/Messages.h"

namespace pladdo {

int RunCheck(const std::vector<std::string>& files,
             const std::string& languageFile, std::ostream& out) {
  return RunOverProfiles(files, languageFile, out,
                         [](const CChatEngine& engine, const std::string&) {
                           const CheckResult result = engine.CheckProfile();
                           return ProfileOutcome{
                               result.bOpened, result.nFaults > 0,
                               TranslateCheckerReport(result.strReport)};
                         });
}

}  // namespace pladdo
