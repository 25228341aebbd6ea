// CWhyDialog: a read-only, selectable text and a close button.
#include "ui/qt/WhyDialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/StringTable.h"
#include "ui/qt/QtText.h"

namespace pladdo {

CWhyDialog::CWhyDialog(std::string_view text, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(FromCp1252(LoadString(IDS_WHY_TITLE)));
  m_pText = new QPlainTextEdit(this);
  m_pText->setObjectName(QStringLiteral("whyText"));
  m_pText->setReadOnly(true);
  // Selectable and copyable with the mouse and the keyboard.
  m_pText->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                   Qt::TextSelectableByKeyboard);
  m_pText->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_pText->setPlainText(FromCp1252(text));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->setObjectName(QStringLiteral("whyButtons"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* column = new QVBoxLayout(this);
  column->addWidget(m_pText, 1);
  column->addWidget(buttons);
  // Wide enough for a row of a profile, tall enough for a few variables.
  const QFontMetrics metrics(m_pText->font());
  resize(metrics.averageCharWidth() * 90, metrics.lineSpacing() * 22);
  m_pText->setFocus();
}

}  // namespace pladdo
