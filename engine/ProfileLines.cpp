// ProfileLines: one file's lines, rows, pattern rows and headers in memory.
#include "engine/ProfileLines.h"

#include <algorithm>

#include "engine/TextUtil.h"

namespace pladdo {
namespace {

void AppendLowered(std::string& to, std::string_view text) {
  for (const char c : text) {
    to += static_cast<char>(ToLowerByte(static_cast<unsigned char>(c)));
  }
}

}  // namespace

void ProfileLines::AddLine(std::string_view line) {
  text += line;
  ends.push_back(text.size());
  std::string row(line);
  MakeRow(row);
  rows += row;
  rowEnds.push_back(rows.size());
  IndexRow(rowEnds.size() - 1);
}

void ProfileLines::IndexRow(std::size_t i) {
  const std::string_view row = Row(i);
  if (row.empty()) {
    return;
  }
  if (row.front() == '?') {
    const std::string_view pattern = PatternOfRow(row);
    const std::size_t begin = patternText.size();
    AppendLowered(patternText, pattern);
    const std::string_view lowered =
        std::string_view(patternText).substr(begin);
    patterns.push_back({i, begin, pattern.size(), RequiredByte(lowered),
                        IsPlainPattern(pattern)});
  } else if (row.front() == '[') {
    // A row without "]" can begin no header: every header ends in one.
    const std::size_t close = row.find(']');
    if (close != std::string_view::npos) {
      headers.push_back({i, headerText.size(), close - 1});
      AppendLowered(headerText, row.substr(1, close - 1));
    }
  }
}

void ProfileLines::SortHeaders() {
  std::stable_sort(headers.begin(), headers.end(),
                   [this](const Header& a, const Header& b) {
                     return NameOf(a) < NameOf(b);
                   });
}

void MakeRow(std::string& row) {
  const std::size_t hash = row.find('#');
  if (hash != std::string::npos) {
    row.erase(hash);
  }
  NormalizeSpaces(row);
}

// The row is normalised: turning its "?" into a blank and normalising again
// only drops that blank and the one blank that may follow it.
std::string_view PatternOfRow(std::string_view row) {
  return row.substr(row.size() > 1 && row[1] == ' ' ? 2 : 1);
}

bool IsPlainPattern(std::string_view pattern) {
  return pattern.find_first_of("*?") == std::string_view::npos;
}

int RequiredByte(std::string_view lowered) {
  const std::size_t at = lowered.find_first_not_of("*?");
  return at == std::string_view::npos ? -1
                                      : static_cast<unsigned char>(lowered[at]);
}

bool CannotMatch(int required, const ByteSet* textBytes) {
  return textBytes != nullptr && required >= 0 &&
         !(*textBytes)[static_cast<std::size_t>(required)];
}

}  // namespace pladdo
