// CChatDlg: one exchange per press of the answer button, the automatic
// dialogue, restart, the checker report and the menu commands.
#include "ui/ChatDlg.h"

#include "engine/Codepage.h"
#include "ui/FileUtil.h"
#include "ui/Messages.h"
#include "ui/StringTable.h"

namespace pladdo {
namespace {

constexpr std::string_view kWhiteSpace = " \t\n\r\v\f";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kWhiteSpace);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kWhiteSpace);
  return text.substr(first, last - first + 1);
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  std::size_t pos = text.find(from);
  while (pos != std::string::npos) {
    text.replace(pos, from.size(), to);
    pos = text.find(from, pos + to.size());
  }
}

}  // namespace

CChatDlg::CChatDlg(IChatWindow& window) : m_window(window) {}

void CChatDlg::Start(const StartOptions& options) {
  const std::string folder = GetProgramFolder(true);
  const std::string language = options.strLanguageFile.empty()
                                   ? folder + "language.dat"
                                   : options.strLanguageFile;
  // The language file comes first: setting a profile loads its language
  // table from the file the engine holds at that moment.
  m_aEngine[0].SetLanguageFile(language);
  m_aEngine[1].SetLanguageFile(language);
  m_aEngine[0].SetProfile(options.strProfile1.empty()
                              ? folder + "profiles/pladdo.ppf"
                              : options.strProfile1);
  m_aEngine[1].SetProfile(options.strProfile2.empty()
                              ? folder + "profiles/rimbus.ppf"
                              : options.strProfile2);

  UpdateData(false);
  m_bAutoDialog = options.bAutoDialog ? 1 : 0;
  m_bPrintNames = options.bPrintNames ? 1 : 0;
  UpdateData(false);
  OnRestart();
}

void CChatDlg::OnAnswer() {
  UpdateData(true);
  // Held apart from m_strInputLine, which AppendLine reads anew.
  const std::string input(Trim(m_strInputLine));
  if (input.empty()) return;

  CChatEngine& engine1 = m_aEngine[0];
  CChatEngine& engine2 = m_aEngine[1];
  if (!engine1.HasUserName()) {
    engine1.SetUserName(input);
    engine2.SetBotName(input);
    engine2.SetUserName(engine1.GetBotName());
    // Uses up engine 2's first turn; the answer itself is not wanted.
    (void)engine2.GetReply();
  }

  AppendLine(Speaker::User, input);
  engine1.SetInput(input);
  const std::string reply(engine1.GetReply());
  AppendLine(Speaker::Bot, TranslateCodes(reply));

  if (m_bAutoDialog == 1) {
    // Engine 2 hears engine 1's raw reply, codes and all.
    engine2.SetInput(reply);
    m_strInputLine = TranslateCodes(engine2.GetReply());
    m_strPrompt = engine2.GetBotName() + " " +
                  std::string(LoadString(IDS_PROMPT_BOT));
  } else {
    m_strPrompt = LoadString(IDS_PROMPT_USER);
    m_strInputLine.clear();
  }
  UpdateData(false);

  m_window.ScrollView(m_window.GetViewLineCount());
  m_window.SelectInputLine();
  UpdateAnswerButton();
}

void CChatDlg::AppendLine(Speaker speaker, std::string_view text) {
  UpdateData(true);
  if (m_bPrintNames != 0) {
    const CChatEngine& engine1 = m_aEngine[0];
    m_strTranscript += speaker == Speaker::User ? engine1.GetUserName()
                                                : engine1.GetBotName();
    m_strTranscript += ": ";
  } else if (speaker == Speaker::User) {
    m_strTranscript += "> ";
  }
  m_strTranscript += text;
  m_strTranscript += "\r\n";
  UpdateData(false);
}

void CChatDlg::OnRestart() {
  m_aEngine[0].Reset();
  m_aEngine[0].SetBotName();
  m_aEngine[1].Reset();
  m_aEngine[1].SetBotName();

  UpdateData(true);
  m_strTranscript.clear();
  UpdateData(false);

  const std::string welcome(m_aEngine[0].GetWelcome());
  AppendLine(Speaker::Bot, TranslateCodes(welcome));

  if (m_bAutoDialog == 1) {
    m_strInputLine = m_aEngine[1].GetBotName();
    m_strPrompt = m_strInputLine + " " + std::string(LoadString(IDS_PROMPT_BOT));
  } else {
    m_strInputLine.clear();
    m_strPrompt = LoadString(IDS_PROMPT_USER);
  }
  UpdateData(false);
  UpdateAnswerButton();
}

void CChatDlg::OnCheckProfile() {
  m_window.BeginWaitCursor();
  m_strTranscript = m_aEngine[0].CheckProfile();
  // The report's last line has no line end of its own; give it one so the
  // next exchange starts on a line below the report.
  if (!m_strTranscript.empty() && m_strTranscript.back() != '\n') {
    m_strTranscript += '\n';
  }
  ReplaceAll(m_strTranscript, "\n", "\r\n");
  m_strTranscript = TranslateCheckerReport(m_strTranscript);
  // Not read first: the other controls get back the values last read.
  UpdateData(false);
  m_window.EndWaitCursor();
}

void CChatDlg::OnChooseProfile() {
  m_window.RunProfileChooser(m_aEngine[0], m_aEngine[1]);
}

void CChatDlg::OnSaveDialog() {
  std::string path;
  if (!m_window.AskSavePath(path)) return;

  UpdateData(true);
  std::string text = m_strTranscript;
  ReplaceAll(text, "\r\n", "\n");
  std::string error;
  if (!SaveTextFile(path, Cp1252ToUtf8(text), error)) {
    m_window.ShowMessage(error, MessageKind::Error);
  }
}

void CChatDlg::OnReadMe() {
  const std::string path =
      GetProgramFolder(true) + std::string(LoadString(IDS_README_FILE));
  if (!m_window.OpenFile(path)) {
    m_window.ShowMessage(LoadString(IDS_README_FAILED), MessageKind::Warning);
  }
}

void CChatDlg::OnAbout() { m_window.RunAboutBox(); }

void CChatDlg::OnExit() { m_window.EndWindow(1); }

void CChatDlg::OnInputChanged() { UpdateAnswerButton(); }

std::string CChatDlg::TranslateCodes(std::string_view text) {
  return pladdo::TranslateCodes(text);
}

void CChatDlg::UpdateAnswerButton() {
  m_window.EnableAnswerButton(!Trim(m_window.GetShownInputLine()).empty());
}

void CChatDlg::UpdateData(bool bSaveAndValidate) {
  if (bSaveAndValidate) {
    m_window.ReadControls(*this);
  } else {
    m_window.WriteControls(*this);
  }
}

}  // namespace pladdo
