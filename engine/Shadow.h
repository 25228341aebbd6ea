// Shadowed pattern rows: a later row whose every input an earlier row takes,
// so that it can never answer. Only what can be proven is reported.
//
// Patterns are the lower-cased texts the keyword scan searches (a row
// without its "?"). A row B is taken by an earlier row A when A matches every
// input that B matches. The proof places A's pieces where WildFind puts them
// in the text of B's match, which stands between two non-letters, and asks
// that A's match have no letter before or after it. It takes one thing for
// granted: that the line holds no occurrence of A's first piece before B's
// match. The engine tests only the first place of A, so a line that holds
// A's text earlier inside a longer word («fiskmås, jag tycker inte om fisk»
// for «fisk» above «jag tycker inte om fisk») still reaches B; that is the
// one way a reported row can answer.
#pragma once

#include <string_view>
#include <vector>

namespace pladdo {

// True when it is proven that pattern earlier matches every input that
// pattern later matches: earlier is empty (it matches every input), the two
// are the same pattern ("*" at the ends and "**" aside), or earlier's pieces,
// placed as WildFind places them from the start of later's match, land on
// its literal bytes with a sure non-letter before and after them.
bool PatternCovers(std::string_view earlier, std::string_view later);

// For the patterns of the rows in the order they are tried: for each, the
// index of the first earlier pattern that covers it (PatternCovers), or -1.
// Rows are indexed by the longest run of literal bytes of their pattern, so
// that each row is tested only against the earlier rows that can cover it.
std::vector<int> FindShadowingRows(
    const std::vector<std::string_view>& patterns);

}  // namespace pladdo
