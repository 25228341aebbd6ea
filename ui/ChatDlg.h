// CChatDlg: the conversation controller, the logic of the main window.
//
// How the pieces fit: the controller owns the two engines (engine 1 answers
// the user, engine 2 speaks in the user's place in the automatic dialogue)
// and the five values the window mirrors (ChatFields). A window layer - the
// Qt main window, the terminal, or the tests' fake - implements IChatWindow,
// turns user events into the On... operations below and shows whatever the
// controller writes. Every rule of a conversation lives here, once. The
// transcript is the controller's: the window gets only what was appended to
// it (or the whole text when it was replaced), never a copy of all of it.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/ChatEngine.h"
#include "ui/ChatWindow.h"

namespace pladdo {

enum class Speaker { Bot = 0, User = 1 };

// Where start-up finds its files; empty values take the program folder's
// defaults (profiles/pladdo.ppf, profiles/rimbus.ppf, language.dat).
struct StartOptions {
  std::string strProfile1;
  std::string strProfile2;
  std::string strLanguageFile;
  bool bAutoDialog = false;
  bool bPrintNames = false;
};

class CChatDlg : public ChatFields {
 public:
  explicit CChatDlg(IChatWindow& window);

  // Start-up: sets both language files, then both profiles, clears (or sets,
  // from options) the two check boxes and restarts the conversation.
  void Start(const StartOptions& options);

  void OnAnswer();
  void OnRestart();
  void OnCheckProfile();
  void OnChooseProfile();
  void OnSaveDialog();
  void OnReadMe();
  void OnAbout();
  void OnExit();
  void OnInputChanged();
  // "Varför det svaret?": how engine 1's last reply came about, and in the
  // automatic dialogue also engine 2's suggestion.
  void OnWhyAnswer();

  void AppendLine(Speaker speaker, std::string_view text);
  // Replaces the first occurrence of each of the engine's seven message codes
  // by its Swedish text.
  static std::string TranslateCodes(std::string_view text);
  void UpdateAnswerButton();

  CChatEngine& GetEngine(int i) { return m_aEngine[static_cast<size_t>(i)]; }

 private:
  // Reads the controls (true) or writes them and the view's change (false).
  void UpdateData(bool bSaveAndValidate);
  // Replaces the whole transcript; the next write shows it from its top.
  void ReplaceTranscript(std::string text);

  IChatWindow& m_window;
  std::array<CChatEngine, 2> m_aEngine;
  // How much of m_strTranscript the window shows, and whether the view
  // must be refilled because the transcript was replaced.
  std::size_t m_nViewShown = 0;
  bool m_bViewReplaced = true;
};

}  // namespace pladdo
