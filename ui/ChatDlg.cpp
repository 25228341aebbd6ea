// CChatDlg: one exchange per press of the answer button, the automatic
// dialogue, restart, the checker report and the menu commands.
#include "ui/ChatDlg.h"

#include "engine/Codepage.h"
#include "engine/TextUtil.h"
#include "ui/FileUtil.h"
#include "ui/Messages.h"
#include "ui/StringTable.h"
#include "ui/WhyText.h"

namespace pladdo {

CChatDlg::CChatDlg(IChatWindow& window) : m_window(window) {}

void CChatDlg::Start(const StartOptions& options) {
  const std::string language = options.strLanguageFile.empty()
                                   ? GetDefaultLanguageFile()
                                   : options.strLanguageFile;
  // The language file comes first: setting a profile loads its language
  // table from the file the engine holds at that moment.
  m_aEngine[0].SetLanguageFile(language);
  m_aEngine[1].SetLanguageFile(language);
  m_aEngine[0].SetProfile(options.strProfile1.empty() ? GetDefaultProfile(0)
                                                      : options.strProfile1);
  m_aEngine[1].SetProfile(options.strProfile2.empty() ? GetDefaultProfile(1)
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
  const std::string input(TrimWhiteSpace(m_strInputLine));
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
    m_strPrompt =
        engine2.GetBotName() + " " + std::string(LoadString(IDS_PROMPT_BOT));
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
    m_strTranscript +=
        speaker == Speaker::User ? engine1.GetUserName() : engine1.GetBotName();
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
  ReplaceTranscript({});
  UpdateData(false);

  const std::string welcome(m_aEngine[0].GetWelcome());
  AppendLine(Speaker::Bot, TranslateCodes(welcome));

  if (m_bAutoDialog == 1) {
    m_strInputLine = m_aEngine[1].GetBotName();
    m_strPrompt =
        m_strInputLine + " " + std::string(LoadString(IDS_PROMPT_BOT));
  } else {
    m_strInputLine.clear();
    m_strPrompt = LoadString(IDS_PROMPT_USER);
  }
  UpdateData(false);
  UpdateAnswerButton();
}

void CChatDlg::OnCheckProfile() {
  m_window.BeginWaitCursor();
  // Read first, so writing the report back leaves the input line and the two
  // boxes exactly as the user has them: a half-typed line or a box ticked
  // since the last exchange is never lost.
  UpdateData(true);
  std::string report = m_aEngine[0].CheckProfile().strReport;
  // The report's last line has no line end of its own; give it one so the
  // next exchange starts on a line below the report.
  if (!report.empty() && report.back() != '\n') {
    report += '\n';
  }
  ReplaceTranscript(TranslateCheckerReport(ToCrLf(report)));
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
  std::string error;
  if (!SaveTextFile(path, Cp1252ToUtf8(ToLf(m_strTranscript)), error)) {
    m_window.ShowMessage(error, MessageKind::Error);
  }
}

void CChatDlg::OnReadMe() {
  if (!m_window.OpenFile(GetReadMePath())) {
    m_window.ShowMessage(LoadString(IDS_README_FAILED), MessageKind::Warning);
  }
}

void CChatDlg::OnAbout() { m_window.RunAboutBox(); }

void CChatDlg::OnExit() { m_window.EndWindow(1); }

void CChatDlg::OnInputChanged() { UpdateAnswerButton(); }

void CChatDlg::OnWhyAnswer() {
  UpdateData(true);
  const CChatEngine& engine1 = m_aEngine[0];
  std::string text =
      DescribeTrace(engine1.GetTrace(),
                    FormatString(IDS_WHY_HEADING_REPLY,
                                 GetFileNamePart(engine1.GetProfilePath())));
  // Engine 2's reply matters while it stands on the input line as the
  // automatic dialogue's suggestion.
  const CChatEngine& engine2 = m_aEngine[1];
  if (m_bAutoDialog != 0 &&
      engine2.GetTrace().situation != TraceSituation::None &&
      TranslateCodes(engine2.GetTrace().strReply) == m_strInputLine) {
    text += '\n';
    text +=
        DescribeTrace(engine2.GetTrace(),
                      FormatString(IDS_WHY_HEADING_SUGGESTION,
                                   GetFileNamePart(engine2.GetProfilePath())));
  }
  m_window.ShowWhyAnswer(text);
}

std::string CChatDlg::TranslateCodes(std::string_view text) {
  return pladdo::TranslateCodes(text);
}

void CChatDlg::UpdateAnswerButton() {
  m_window.EnableAnswerButton(
      !TrimWhiteSpace(m_window.GetShownInputLine()).empty());
}

void CChatDlg::UpdateData(bool bSaveAndValidate) {
  if (bSaveAndValidate) {
    m_window.ReadControls(*this);
    return;
  }
  ViewUpdate view;
  if (m_bViewReplaced) {
    view = {ViewUpdate::Kind::Replace, m_strTranscript};
  } else if (m_strTranscript.size() > m_nViewShown) {
    view = {ViewUpdate::Kind::Append,
            std::string_view(m_strTranscript).substr(m_nViewShown)};
  }
  m_bViewReplaced = false;
  m_nViewShown = m_strTranscript.size();
  m_window.WriteControls(*this, view);
}

void CChatDlg::ReplaceTranscript(std::string text) {
  m_strTranscript = std::move(text);
  m_bViewReplaced = true;
}

}  // namespace pladdo
