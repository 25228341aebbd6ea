// The tests' one way to the engine's private steps: the block reader, the
// keyword match, the capture, the expansion and the scratch state they use.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ChatEngine.h"

namespace pladdo {

class CChatEngineTestAccess {
 public:
  explicit CChatEngineTestAccess(CChatEngine& engine) : m_engine(engine) {}

  bool OpenProfile(CProfileStream& stream, std::string_view path) {
    return CChatEngine::OpenProfile(stream, path);
  }
  void CloseProfile(CProfileStream& stream) {
    CChatEngine::CloseProfile(stream);
  }
  std::string ReadRow(CProfileStream& stream, bool countLines) {
    return m_engine.ReadRow(stream, countLines);
  }
  bool FindBlock(CProfileStream& stream, std::string_view name) {
    return CChatEngine::FindBlock(stream, name);
  }
  void ReadAnswers(CProfileStream& stream) { m_engine.ReadAnswers(stream); }
  bool LoadBlock(std::string_view name) { return m_engine.LoadBlock(name); }
  std::string PickAnswer() { return m_engine.PickAnswer(); }
  bool MatchSpeak() { return m_engine.MatchSpeak(); }
  void CaptureRest(std::string_view text, std::size_t start) {
    m_engine.CaptureRest(text, start);
  }
  void ExpandAnswer(std::string& text, int depth) {
    m_engine.ExpandAnswer(text, depth);
  }
  static bool FindVariable(std::string_view text, std::string& variable,
                           std::size_t& pos) {
    return CChatEngine::FindVariable(text, variable, pos);
  }
  bool EvaluateVariable(std::string& variable) {
    return m_engine.EvaluateVariable(variable);
  }
  // Switches the recording of the trace on or off (benchmarks compare).
  void SetTracing(bool tracing) { m_engine.m_bTracing = tracing; }

  const std::vector<std::string>& Answers() const {
    return m_engine.m_vecAnswers;
  }
  const std::string& Answer() const { return m_engine.m_strAnswer; }
  const std::string& Input() const { return m_engine.m_strInput; }
  const std::string& PrevInput() const { return m_engine.m_strPrevInput; }
  std::int32_t LineCount() const { return m_engine.m_nLineCount; }
  bool IsFirstTurn() const { return m_engine.m_bFirstTurn; }

 private:
  CChatEngine& m_engine;
};

}  // namespace pladdo
