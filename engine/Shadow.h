// Shadowed pattern rows: a later row whose every input an earlier row takes,
// so that it can never answer. Only what can be proven is reported.
//
// Patterns are the lower-cased texts the keyword scan searches (a row
// without its "?"). A row B is taken by an earlier row A when A matches every
// input that B matches. The proof reads the keyword rule the way a profile's
// author does: A matches when its text occurs as a whole word or phrase, its
// first piece at any place and the pieces after it where WildFind puts them.
// The engine tests only the leftmost place of A's first piece, so a line that
// holds A's text earlier inside a longer word ("fiskmås" for "fisk") still
// reaches B; that is the one way a reported row can answer.
#pragma once

#include <string_view>
#include <vector>

namespace pladdo {

// True when it is proven that pattern earlier matches every input that
// pattern later matches: earlier is empty (it matches every input), the two
// are the same pattern (case, "*" at the ends and "**" aside), or earlier's
// pieces occur in the literal bytes of later's match with no letter before
// its start and none after its end, in every text later matches.
bool PatternCovers(std::string_view earlier, std::string_view later);

// For the patterns of the rows in the order they are tried: for each, the
// index of the first earlier pattern that covers it (PatternCovers), or -1.
// Rows are indexed by the longest run of literal bytes of their pattern, so
// that each row is tested only against the earlier rows that can cover it.
std::vector<int> FindShadowingRows(
    const std::vector<std::string_view>& patterns);

}  // namespace pladdo
