// The tests' one way to the engine's private steps: the block loader, the
// keyword match, the capture, the expansion and the recording of the trace.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/ChatEngine.h"

namespace pladdo {

class CChatEngineTestAccess {
 public:
  explicit CChatEngineTestAccess(CChatEngine& engine) : m_engine(engine) {}

  bool LoadBlock(std::string_view name) { return m_engine.LoadBlock(name); }
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

 private:
  CChatEngine& m_engine;
};

}  // namespace pladdo
