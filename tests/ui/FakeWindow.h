// A window for the controller tests that records every call the controller
// makes and lets the test play the user (typing, ticking boxes).
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "engine/ChatEngine.h"
#include "ui/ChatWindow.h"

namespace pladdo::test {

class FakeWindow : public IChatWindow {
 public:
  void ReadControls(ChatFields& fields) override {
    log.push_back("Read");
    fields = controls;
  }
  void WriteControls(const ChatFields& fields) override {
    log.push_back("Write");
    controls = fields;
  }
  int GetViewLineCount() override {
    log.push_back("LineCount");
    const std::string& text = controls.m_strTranscript;
    return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  }
  void ScrollView(int lines) override {
    log.push_back("Scroll " + std::to_string(lines));
  }
  void SelectInputLine() override { log.push_back("Select"); }
  std::string GetShownInputLine() override {
    log.push_back("Shown");
    return controls.m_strInputLine;
  }
  void EnableAnswerButton(bool enable) override {
    log.push_back(enable ? "Enable 1" : "Enable 0");
    answerEnabled = enable;
  }
  void BeginWaitCursor() override { log.push_back("BeginWait"); }
  void EndWaitCursor() override { log.push_back("EndWait"); }
  void RunProfileChooser(CChatEngine& engine1, CChatEngine& engine2) override {
    log.push_back("Chooser");
    // OK with these files, as the chooser applies them.
    engine1.SetProfile(chosen1.empty() ? engine1.GetProfilePath() : chosen1);
    engine2.SetProfile(chosen2.empty() ? engine2.GetProfilePath() : chosen2);
  }
  void RunAboutBox() override { log.push_back("About"); }
  void EndWindow(int result) override {
    log.push_back("End " + std::to_string(result));
  }
  bool AskSavePath(std::string& path) override {
    log.push_back("AskSave");
    if (savePath.empty()) return false;
    path = savePath;
    return true;
  }
  bool OpenFile(const std::string& path) override {
    log.push_back("Open " + path);
    return openSucceeds;
  }
  void ShowMessage(std::string_view text, MessageKind kind) override {
    messages.push_back(std::to_string(static_cast<int>(kind)) + " " +
                       std::string(text));
  }

  ChatFields controls;
  std::vector<std::string> log;
  std::vector<std::string> messages;
  bool answerEnabled = false;
  std::string chosen1;
  std::string chosen2;
  std::string savePath;
  bool openSucceeds = true;
};

}  // namespace pladdo::test
