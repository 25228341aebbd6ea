// Keyword matching: the first pattern row from SPEAK on that matches the
// input as a whole word or phrase, and the capture of the words after it.
#include "engine/ChatEngine.h"
#include "engine/TextUtil.h"

namespace pladdo {

bool CChatEngine::MatchSpeak() {
  CProfileStream stream;
  if (!OpenProfile(stream, m_strProfilePath)) {
    return false;
  }
  FindBlock(stream, "SPEAK");

  // The leading blank gives a keyword at the start of the input a non-letter
  // in front of it. Patterns come lower-cased from the stream, and the input
  // is stored lower-cased, so the search needs no copies of either.
  const std::string searchText = " " + m_strInput;
  const std::string_view text = searchText;
  CProfileStream::ByteSet textBytes;
  for (const char c : searchText) {
    textBytes.set(static_cast<unsigned char>(c));
  }
  bool matched = false;
  // The scan does not stop at the next block header: pattern rows of later
  // blocks take part as well.
  std::string_view pattern;
  bool plain = true;
  while (stream.ReadPattern(pattern, plain, &textBytes)) {
    const std::size_t after = MatchKeyword(text, pattern, plain);
    if (after == npos) {
      continue;
    }
    CaptureRest(searchText, after);
    if (m_bTracing) {
      m_trace.pattern = {m_strProfilePath, TraceLine(stream),
                         std::string(stream.CurrentRow())};
      m_trace.strCaptured.assign(
          TrimWhiteSpace(CapturedText(searchText, after)));
      m_trace.strSwapped = m_strCapture;
    }
    matched = true;
    break;
  }
  if (!matched) {
    CloseProfile(stream);
    return false;
  }
  ReadAnswers(stream);
  m_strAnswersFile = m_strProfilePath;
  CloseProfile(stream);

  if (m_strCapture.empty()) {
    // Answers that echo the capture make no sense without one.
    for (std::size_t i = m_vecAnswers.size(); i-- > 0;) {
      if (AnswerNeedsCapture(m_vecAnswers[i])) {
        m_vecAnswers.erase(m_vecAnswers.begin() +
                           static_cast<std::ptrdiff_t>(i));
        if (i < m_vecAnswerLines.size()) {
          m_vecAnswerLines.erase(m_vecAnswerLines.begin() +
                                 static_cast<std::ptrdiff_t>(i));
        }
      }
    }
  }
  if (m_vecAnswers.empty() && m_bTracing) {
    // The group is passed over; the reply comes from NOTFOUND.
    m_trace.droppedPattern = std::move(m_trace.pattern);
    m_trace.pattern = {};
  }
  return !m_vecAnswers.empty();
}

std::string_view CChatEngine::CapturedText(std::string_view text,
                                           std::size_t start) {
  std::size_t stop = npos;
  for (std::size_t i = start; i < text.size(); ++i) {
    if (text[i] != ' ' && !IsLetter(text[i])) {
      stop = i;
      break;
    }
  }
  if (stop != npos) {
    return stop > start + 1 ? text.substr(start, stop - start)
                            : std::string_view();
  }
  return start < text.size() ? text.substr(start) : std::string_view();
}

void CChatEngine::CaptureRest(std::string_view text, std::size_t start) {
  const std::string_view capture = CapturedText(text, start);
  if (capture.empty()) {
    m_strCapture.clear();
    return;
  }
  m_strCapture = capture;
  SwapWords(m_strCapture, m_vecFromWords, m_vecToWords);
  NormalizeSpaces(m_strCapture);
}

}  // namespace pladdo
