// Synthetic profiles for the benchmarks: N SPEAK groups, each one keyword
// pattern row and three answers, with the special blocks and a NOTFOUND
// block, plus the inputs that hit and miss those keywords.
#pragma once

#include <string>
#include <vector>

namespace pladdo::bench {

// The profile text (UTF-8, as shipped profiles are written). Group k has the
// pattern row "?keywordKKKKK" (k zero-padded, so no keyword is a prefix of
// another) and three answer rows, one of them using %FE%. With samples, a
// sample line ("#> " and the hit input of the group) stands above each
// pattern row.
std::string MakeSyntheticProfile(int groups, bool samples = false);

// A line that group k answers.
std::string HitInputOf(int k);

// The keyword of group k as it stands in its pattern row.
std::string KeywordOf(int k);

// count inputs that each match one keyword; the keywords are spread evenly
// over the whole list (first, middle and last groups included), and no two
// neighbouring inputs are equal.
std::vector<std::string> HitInputs(int groups, int count);

// count inputs that match no pattern row, all different.
std::vector<std::string> MissInputs(int count);

// count inputs that match no pattern row but hold the word "keyword", so that
// every pattern row shares bytes with them and has to be searched.
std::vector<std::string> NearMissInputs(int count);

// A profile whose only answers double a block variable at every level: the
// block [a] with the row "!%a% %a%", used by WELCOME, START and NOTFOUND.
std::string MakeDoublingProfile();

}  // namespace pladdo::bench
