// The block reader: opens a profile, reads its rows and finds its blocks,
// anew on every lookup.
#include <limits>

#include "engine/ChatEngine.h"
#include "engine/TextUtil.h"

namespace pladdo {

bool CChatEngine::OpenProfile(CProfileStream& stream,
                              std::string_view path) const {
  if (path.empty()) {
    return false;
  }
  return stream.Open(path);
}

void CChatEngine::CloseProfile(CProfileStream& stream) const {
  stream.Close();
}

std::string CChatEngine::ReadRow(CProfileStream& stream, bool countLines) {
  std::string line;
  while (!stream.AtEnd()) {
    stream.ReadLine(line);
    // Every read counts, also the last one that finds only the end; the
    // counter stops at its maximum rather than overflow on a huge file.
    if (countLines && m_nLineCount < std::numeric_limits<std::int32_t>::max()) {
      ++m_nLineCount;
    }
    const std::size_t hash = line.find('#');
    if (hash != std::string::npos) {
      line.erase(hash);
    }
    NormalizeSpaces(line);
    if (!line.empty()) {
      return line;
    }
  }
  return std::string();
}

bool CChatEngine::FindBlock(CProfileStream& stream, std::string_view name) {
  std::string header;
  header.reserve(name.size() + 2);
  header += '[';
  header += name;
  header += ']';
  while (!stream.AtEnd()) {
    const std::string row = ReadRow(stream, false);
    if (WildFind(row, header, nullptr, 0) == 0) {
      return true;
    }
  }
  return false;
}

void CChatEngine::ReadAnswers(CProfileStream& stream) {
  m_vecAnswers.clear();
  bool answerRead = false;
  do {
    std::string row = ReadRow(stream, false);
    if (!row.empty() && row.front() == '!') {
      row.front() = ' ';
      NormalizeSpaces(row);
      m_vecAnswers.push_back(std::move(row));
      answerRead = true;
    } else if (!row.empty() && row.front() == '?' && !answerRead) {
      // Pattern rows before the first answer belong to the same group.
    } else {
      break;
    }
  } while (!stream.AtEnd());
}

bool CChatEngine::LoadBlock(std::string_view name) {
  CProfileStream stream;
  if (!OpenProfile(stream, m_strProfilePath)) {
    return false;
  }
  FindBlock(stream, name);
  ReadAnswers(stream);
  CloseProfile(stream);
  return true;
}

}  // namespace pladdo
