// The program's version, handed in by the build.
#include "ui/Version.h"

namespace pladdo {

std::string_view GetProgramVersion() { return PLADDO_VERSION; }

}  // namespace pladdo
