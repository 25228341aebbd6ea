// The terminal window layer: the conversation view on standard output,
// everything else on standard error.
#include "ui/terminal/TerminalWindow.h"

#include <algorithm>
#include <fstream>
#include <ostream>

#include "engine/ChatEngine.h"
#include "engine/Codepage.h"
#include "engine/TextUtil.h"
#include "ui/FileUtil.h"
#include "ui/StringTable.h"

namespace pladdo {

std::string ToTerminalText(std::string_view cp1252) {
  return Cp1252ToUtf8(ToLf(cp1252));
}

std::string FromTerminalText(std::string_view utf8) {
  std::string text = Utf8ToCp1252(utf8);
  std::erase(text, '\0');
  return text;
}

CTerminalWindow::CTerminalWindow(std::ostream& out, std::ostream& err,
                                 std::string version)
    : m_out(out), m_err(err), m_strVersion(std::move(version)) {}

void CTerminalWindow::ReadControls(ChatControls& controls) {
  controls = m_controls;
}

void CTerminalWindow::WriteControls(const ChatControls& controls,
                                    const ViewUpdate& view) {
  const auto lineFeeds = [&view] {
    return static_cast<int>(
        std::count(view.text.begin(), view.text.end(), '\n'));
  };
  switch (view.kind) {
    case ViewUpdate::Kind::None:
      break;
    case ViewUpdate::Kind::Append:
      m_nViewLines += lineFeeds();
      PrintView(view.text);
      break;
    case ViewUpdate::Kind::Replace:
      // A terminal cannot take back what it printed: the new content
      // follows below the old.
      m_nViewLines = lineFeeds() + 1;
      PrintView(view.text);
      break;
  }
  m_controls = controls;
}

int CTerminalWindow::GetViewLineCount() { return m_nViewLines; }

// Standard output scrolls by itself; nothing to do.
void CTerminalWindow::ScrollView(int) {}
// The next prompt puts the input line's text up for editing.
void CTerminalWindow::SelectInputLine() {}

std::string CTerminalWindow::GetShownInputLine() {
  return m_controls.m_strInputLine;
}

void CTerminalWindow::EnableAnswerButton(bool enable) {
  m_bAnswerEnabled = enable;
}

// A terminal has no busy cursor; the report follows as soon as it is made.
void CTerminalWindow::BeginWaitCursor() {}
void CTerminalWindow::EndWaitCursor() {}

void CTerminalWindow::RunProfileChooser(CChatEngine& engine1,
                                        CChatEngine& engine2) {
  const std::string path1 =
      m_strChosen[0].empty() ? engine1.GetProfilePath() : m_strChosen[0];
  const std::string path2 =
      m_strChosen[1].empty() ? engine2.GetProfilePath() : m_strChosen[1];
  m_strChosen[0].clear();
  m_strChosen[1].clear();
  engine1.SetProfile(path1);
  engine2.SetProfile(path2);
}

void CTerminalWindow::RunAboutBox() {
  PrintError(FormatString(IDS_TERM_ABOUT, m_strVersion, GetReadMePath()));
}

void CTerminalWindow::EndWindow(int) { m_bEnded = true; }

bool CTerminalWindow::AskSavePath(std::string& path) {
  if (m_strSavePath.empty()) return false;
  path = std::move(m_strSavePath);
  m_strSavePath.clear();
  return true;
}

bool CTerminalWindow::OpenFile(const std::string& path) {
  std::ifstream file(ToNativePath(path), std::ios::binary);
  if (!file) return false;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    m_err << Cp1252ToUtf8(FileLineToCp1252(line)) << '\n';
  }
  m_err.flush();
  return true;
}

void CTerminalWindow::ShowMessage(std::string_view text, MessageKind) {
  m_bMessageShown = true;
  PrintError(text);
}

void CTerminalWindow::ShowWhyAnswer(std::string_view text) {
  if (text.ends_with('\n')) text.remove_suffix(1);
  PrintError(text);
}

void CTerminalWindow::SetChosenProfile(int index, std::string path) {
  m_strChosen[index == 0 ? 0 : 1] = std::move(path);
}

bool CTerminalWindow::TakeMessageShown() {
  const bool shown = m_bMessageShown;
  m_bMessageShown = false;
  return shown;
}

void CTerminalWindow::PrintError(std::string_view cp1252) {
  m_err << ToTerminalText(cp1252) << '\n';
  m_err.flush();
}

void CTerminalWindow::PrintView(std::string_view cp1252) {
  if (cp1252.empty()) return;
  m_out << ToTerminalText(cp1252);
  m_out.flush();
}

}  // namespace pladdo
