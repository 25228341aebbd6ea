// The block reader: opens a profile, reads its rows and finds its blocks,
// anew on every lookup (the stream replays unchanged files from memory).
#include <limits>
#include <optional>

#include "engine/ChatEngine.h"
#include "engine/TextUtil.h"

namespace pladdo {

namespace {

// True when row begins with header, case ignored and "?" in header standing
// for any byte: what WildFind(row, header) == 0 means for a header without
// "*", found without copying or lower-casing either text.
bool BeginsWithHeader(std::string_view row, std::string_view header) {
  if (row.size() < header.size()) {
    return false;
  }
  for (std::size_t j = 0; j < header.size(); ++j) {
    if (header[j] != '?' &&
        ToLowerByte(static_cast<unsigned char>(row[j])) !=
            ToLowerByte(static_cast<unsigned char>(header[j]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

int CChatEngine::TraceLine(const CProfileStream& stream) {
  const std::size_t line = stream.LineNumber();
  return line > static_cast<std::size_t>(std::numeric_limits<int>::max())
             ? std::numeric_limits<int>::max()
             : static_cast<int>(line);
}

// With counter, every physical line read adds one to it, also the last read
// that finds only the end; it stops at its maximum rather than overflow on a
// huge file.
std::string_view CChatEngine::NextRow(CProfileStream& stream,
                                      std::int32_t* counter) {
  std::string_view row;
  while (!stream.AtEnd()) {
    stream.ReadRowView(row);
    if (counter != nullptr &&
        *counter < std::numeric_limits<std::int32_t>::max()) {
      ++*counter;
    }
    if (!row.empty()) {
      return row;
    }
  }
  return {};
}

bool CChatEngine::OpenProfile(CProfileStream& stream, std::string_view path) {
  if (path.empty()) {
    return false;
  }
  return stream.Open(path);
}

void CChatEngine::CloseProfile(CProfileStream& stream) { stream.Close(); }

std::string CChatEngine::ReadRow(CProfileStream& stream, bool countLines) {
  return std::string(NextRow(stream, countLines ? &m_nLineCount : nullptr));
}

bool CChatEngine::FindBlock(CProfileStream& stream, std::string_view name) {
  // A name without wildcards and "]" is looked up in the header list of a
  // file held in memory: the first header of that name from here on is the
  // one the scan below would find.
  if (name.find_first_of("*?]") == std::string_view::npos) {
    if (const std::optional<bool> found = stream.SeekHeader(name)) {
      return *found;
    }
  }
  std::string header;
  header.reserve(name.size() + 2);
  header += '[';
  header += name;
  header += ']';
  // Without "*" the header is one piece, matched at position 0 exactly when
  // the row begins with it; a "*" needs the full pattern search.
  const bool star = header.find('*') != std::string::npos;
  while (!stream.AtEnd()) {
    const std::string_view row = NextRow(stream, nullptr);
    // A match at position 0 needs the row's "[" there: the header's first
    // byte is no wildcard and has no case. Other rows need no search.
    if (row.empty() || row.front() != '[') {
      continue;
    }
    if (star ? WildFind(row, header, nullptr, 0) == 0
             : BeginsWithHeader(row, header)) {
      return true;
    }
  }
  return false;
}

void CChatEngine::ReadAnswers(CProfileStream& stream) {
  ReadAnswerRows(stream, m_vecAnswers, &m_vecAnswerLines);
}

void CChatEngine::ReadAnswerRows(CProfileStream& stream,
                                 std::vector<std::string>& answers,
                                 std::vector<int>* lines) {
  answers.clear();
  if (lines != nullptr) {
    lines->clear();
  }
  bool answerRead = false;
  do {
    const std::string_view row = NextRow(stream, nullptr);
    if (!row.empty() && row.front() == '!') {
      std::string answer(row);
      answer.front() = ' ';
      NormalizeSpaces(answer);
      answers.push_back(std::move(answer));
      if (lines != nullptr) {
        lines->push_back(TraceLine(stream));
      }
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
  m_strAnswersFile = m_strProfilePath;
  CloseProfile(stream);
  return true;
}

}  // namespace pladdo
