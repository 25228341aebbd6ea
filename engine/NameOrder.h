// The Swedish alphabetical order in which lists of names are shown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pladdo {

// True when the Windows-1252 name a comes before b in Swedish order: letters
// compare by their base letter with case and accents ignored (É with E, Ü
// with Y), Å Ä Ö follow Z (Æ with Ä, Ø with Ö), digits and signs come
// before letters. Names equal so far are told apart by their accents, then
// by case (small letters first), then by their bytes, so the order is total.
bool SwedishNameLess(std::string_view a, std::string_view b);

// Sorts names in that order.
void SortSwedish(std::vector<std::string>& names);

}  // namespace pladdo
