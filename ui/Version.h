// The program's version, set once in the build (the project's version).
#pragma once

#include <string_view>

namespace pladdo {

// The version number as shown by --version, /om and the about box ("2.01").
std::string_view GetProgramVersion();

}  // namespace pladdo
