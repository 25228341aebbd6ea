// CProfileDlg: the profile chooser, in which the user picks the profile
// files of the two engines and sees each profile's information and names.
#pragma once

#include <QDialog>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ChatEngine.h"
#include "ui/qt/Desktop.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace pladdo {

// The chooser works on two engines of its own, so browsing changes nothing
// in the conversation until OK; OK sets both window engines' profiles.
class CProfileDlg : public QDialog {
  Q_OBJECT

 public:
  // hooks: the file dialog (and message box) the browse button uses.
  explicit CProfileDlg(DesktopHooks hooks, QWidget* parent = nullptr);
  ~CProfileDlg() override;

  // Element 0 holds profile 1, element 1 profile 2; the window sets their
  // profiles before the dialog runs.
  std::array<CChatEngine, 2> m_aEngine;
  // The window's engines; OK sets their profiles. Not owned.
  CChatEngine* m_pEngine1 = nullptr;
  CChatEngine* m_pEngine2 = nullptr;

  // What the dialog shows for the selected profile (Windows-1252).
  std::string m_strFileName;
  std::string m_strInfo;
  std::string m_strNameLine;
  std::string m_strVersionLine;
  std::string m_strCreatorLine;
  std::string m_strLanguageLine;
  // 0 = profile 1 selected, 1 = profile 2, -1 before the dialog opens.
  int m_nProfile = -1;

  // Fills the fields and the name list from the selected engine and shows
  // them.
  void ShowProfile();
  void OnProfile1();
  void OnProfile2();
  // Asks for another file for the selected profile; a cancelled dialog
  // changes nothing.
  void OnBrowse();
  // OK: both window engines take the chooser's paths, then the dialog closes.
  void accept() override;

 protected:
  // The first showing initialises the dialog: profile 1 selected and shown.
  void showEvent(QShowEvent* event) override;

 private:
  void OnInitDialog();
  // Copies the fields into the controls.
  void UpdateData();

  DesktopHooks m_hooks;
  bool m_bInitialised = false;
  std::vector<std::string> m_vecNames;  // the name list, sorted

  QRadioButton* m_pProfile1 = nullptr;
  QRadioButton* m_pProfile2 = nullptr;
  QLineEdit* m_pFileName = nullptr;
  QPushButton* m_pBrowse = nullptr;
  QPlainTextEdit* m_pInfo = nullptr;
  QListWidget* m_pNames = nullptr;
  QLabel* m_pNameLine = nullptr;
  QLabel* m_pVersionLine = nullptr;
  QLabel* m_pCreatorLine = nullptr;
  QLabel* m_pLanguageLine = nullptr;
};

}  // namespace pladdo
