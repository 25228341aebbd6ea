// CWhyDialog: "Varför det svaret?", how the last reply came about, as text
// the user can select and copy.
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace pladdo {

class CWhyDialog : public QDialog {
  Q_OBJECT

 public:
  // text: the account, Windows-1252 with LF line ends.
  CWhyDialog(std::string_view text, QWidget* parent = nullptr);

 private:
  QPlainTextEdit* m_pText = nullptr;
};

}  // namespace pladdo
