// Paths of the profile tools' fixture files and an engine set up on them.
#pragma once

#include <string>
#include <string_view>

#include "engine/ChatEngine.h"

namespace pladdo::test {

// The fixture file name in tests/fixtures/profile/.
inline std::string FixturePath(std::string_view name) {
  return std::string(PLADDO_FIXTURES) + "/profile/" + std::string(name);
}

// A path that names no file.
inline std::string MissingPath() { return FixturePath("saknas.ppf"); }

// Sets engine's language file, then its profile (which loads the table).
inline void UseProfile(
    CChatEngine& engine, const std::string& profile,
    const std::string& languageFile = FixturePath("lang_pairs.dat")) {
  engine.SetLanguageFile(languageFile);
  engine.SetProfile(profile);
}

}  // namespace pladdo::test
