// Conversions between the engine's Windows-1252 texts and Qt's QString,
// the one place where the Qt widgets meet the engine's encoding.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "engine/Codepage.h"

namespace pladdo {

// A Windows-1252 text as a QString.
inline QString FromCp1252(std::string_view cp1252) {
  return QString::fromStdU16String(Cp1252ToUtf16(cp1252));
}

// A QString as Windows-1252; characters it cannot hold become
// kSubstituteByte.
inline std::string ToCp1252(const QString& text) {
  return Utf16ToCp1252(text.toStdU16String());
}

// True when text survives the trip to Windows-1252 and back unchanged, so a
// path made of it still names the same file.
inline bool FitsCp1252(const QString& text) {
  return FromCp1252(ToCp1252(text)) == text;
}

}  // namespace pladdo
