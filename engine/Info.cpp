// The profile's [INFO] block (GetInfo) and the word-pair table of its
// language (LoadLanguageTable).
#include <array>
#include <string>
#include <string_view>

#include "engine/ChatEngine.h"
#include "engine/ProfileStream.h"
#include "engine/TextUtil.h"

namespace pladdo {

namespace {

// The keys of the five information fields, in InfoField order. The equals
// sign is part of the key, so "name = x" does not hold "name=".
constexpr std::array<std::string_view, 5> kInfoKeys = {
    "name=", "version=", "creator=", "info=", "language="};

// The value a missing information field reads as.
constexpr std::string_view kNoInfoValue = " ";

// Finds the first four double quotes of row. True and the two quoted words
// when all four are there.
bool SplitWordPair(std::string_view row, std::string& wordA,
                   std::string& wordB) {
  std::array<std::size_t, 4> quotes{};
  std::size_t from = 0;
  for (std::size_t& quote : quotes) {
    quote = row.find('"', from);
    if (quote == std::string_view::npos) {
      return false;
    }
    from = quote + 1;
  }
  wordA = row.substr(quotes[0] + 1, quotes[1] - quotes[0] - 1);
  wordB = row.substr(quotes[2] + 1, quotes[3] - quotes[2] - 1);
  return true;
}

}  // namespace

std::string CChatEngine::GetInfo(InfoField field) const {
  const auto index = static_cast<std::size_t>(field);
  if (index >= kInfoKeys.size()) {
    return std::string(kNoInfoValue);
  }
  const std::string_view key = kInfoKeys[index];

  CProfileStream stream;
  if (!OpenProfile(stream, m_strProfilePath)) {
    return std::string(kNoInfoValue);
  }
  std::string value(kNoInfoValue);
  if (FindBlock(stream, "INFO")) {
    for (;;) {
      const std::string_view row = NextRow(stream, nullptr);
      if (row.empty()) {
        break;  // end of the file
      }
      std::size_t keyEnd = npos;
      if (WildFind(row, key, &keyEnd, 0) != npos) {
        // The value is everything after the key, exactly as read: case kept,
        // nothing trimmed, possibly empty.
        value = row.substr(keyEnd + 1);
        break;
      }
      // The next block's header ends the search; it was itself searched
      // above, so a key on a header row still counts.
      if (row.front() == '[') {
        break;
      }
    }
  }
  CloseProfile(stream);
  return value;
}

void CChatEngine::LoadLanguageTable() {
  m_strLanguage.clear();
  m_vecFromWords.clear();
  m_vecToWords.clear();

  m_strLanguage = GetInfo(InfoField::Language);
  if (m_strLanguage.empty()) {
    return;
  }

  CProfileStream stream;
  if (!OpenProfile(stream, m_strLanguageFile)) {
    return;
  }
  // When the block is missing the search consumes the whole file and the
  // loop below reads nothing.
  FindBlock(stream, m_strLanguage);
  std::string wordA;
  std::string wordB;
  for (;;) {
    const std::string row = ReadRow(stream, false);
    // Only the profile's own language block is loaded: the next header ends
    // it, so the pairs of a language listed after it are never swapped in.
    if (row.empty() || row.front() == '[') {
      break;
    }
    if (!SplitWordPair(row, wordA, wordB)) {
      continue;
    }
    // Each pair swaps both ways, A->B first; an empty side is never a word
    // to look for, but it may be the replacement (the word is deleted).
    if (!wordA.empty()) {
      m_vecFromWords.push_back(wordA);
      m_vecToWords.push_back(wordB);
    }
    if (!wordB.empty()) {
      m_vecFromWords.push_back(wordB);
      m_vecToWords.push_back(wordA);
    }
  }
  CloseProfile(stream);
}

}  // namespace pladdo
