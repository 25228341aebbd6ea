// CMainWindow: widgets, menu and keys of the main window, wired to CChatDlg.
#include "ui/qt/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFocusFrame>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/TextUtil.h"
#include "ui/StringTable.h"
#include "ui/qt/AboutDlg.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/FileDialog.h"
#include "ui/qt/Icons.h"
#include "ui/qt/ProfileDlg.h"
#include "ui/qt/QtText.h"
#include "ui/qt/WhyDialog.h"

namespace pladdo {

namespace {

// The window's template, in dialog units: the whole client area and the
// controls' sizes and gaps.
constexpr int kTemplateWidth = 320;
constexpr int kTemplateHeight = 198;
constexpr int kMarginLeft = 6;
constexpr int kMarginTop = 6;
constexpr int kMarginRight = 6;
constexpr int kMarginBottom = 5;
constexpr int kGapViewToPrompt = 4;
constexpr int kGapPromptToInput = 4;
constexpr int kGapInputToButton = 3;
constexpr int kGapInputToChecks = 2;
constexpr int kGapBetweenChecks = 5;
constexpr int kPromptHeight = 8;
constexpr int kInputHeight = 14;
constexpr int kAnswerWidth = 37;
constexpr int kCheckHeight = 10;
constexpr int kAutoDialogWidth = 71;
constexpr int kPrintNamesWidth = 59;

// The transcript's CR LF (and any lone CR) as the view's line breaks.
QString ToViewText(std::string_view transcript) {
  QString text = FromCp1252(ToLf(transcript));
  text.replace(u'\r', u'\n');
  return text;
}

// A prompt split where the name ends: the controller writes a name, a blank
// and "s&varar:" ("Du s&varar:" is the same with the name "Du").
struct PromptParts {
  QString name;  // plain text, any "&" meant literally
  QString tail;  // " s&varar:" with its Alt letter, or a whole other prompt
};

PromptParts SplitPrompt(const QString& prompt) {
  const QString tail =
      QStringLiteral(" ") + FromCp1252(LoadString(IDS_PROMPT_BOT));
  if (prompt.size() > tail.size() && prompt.endsWith(tail)) {
    return {prompt.chopped(tail.size()), tail};
  }
  return {QString(), prompt};
}

// The text a label with a mnemonic shows: "&&" is one "&", a lone "&" marks
// the Alt letter and is not drawn.
QString WithoutMnemonic(const QString& text) {
  QString plain;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;
    plain += text[i];
  }
  return plain;
}

// The ring around the focused view or answer button. QFocusFrame follows its
// widget and masks itself to the band around it; the ring is filled with the
// palette's highlight colour, which every scheme keeps clearly visible
// against its window colour.
class CFocusRing : public QFocusFrame {
 public:
  using QFocusFrame::QFocusFrame;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Highlight));
  }
};

}  // namespace

CMainWindow::CMainWindow(DesktopHooks hooks, QWidget* parent)
    : QWidget(parent), m_hooks(std::move(hooks)), m_controller(*this) {
  setWindowTitle(FromCp1252(LoadString(IDS_APP_TITLE)));
  setWindowIcon(ProgramIcon());
  createControls();
  createActions();
  createLayout();
  m_pInputLine->setFocus();
}

CMainWindow::~CMainWindow() {
  // The focus leaves the controls while QWidget's destructor takes them
  // down, when this is no longer a CMainWindow.
  disconnect(m_focusFollower);
}

void CMainWindow::createControls() {
  m_pPrompt = new QLabel(this);
  m_pPrompt->setObjectName(QStringLiteral("prompt"));
  // A bot's name is shown as written, never read as markup; the "&" still
  // marks the mnemonic.
  m_pPrompt->setTextFormat(Qt::PlainText);
  // However long the name, the label never widens the window: it is elided
  // to the width it gets.
  m_pPrompt->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  m_pPrompt->installEventFilter(this);
  m_strPrompt = FromCp1252(LoadString(IDS_PROMPT_USER));

  m_pInputLine = new QLineEdit(this);
  m_pInputLine->setObjectName(QStringLiteral("inputLine"));
  m_pInputLine->setAccessibleName(QStringLiteral("Din replik"));
  m_pInputLine->setAccessibleDescription(
      QStringLiteral("Skriv det du vill säga och tryck Enter"));
  m_pPrompt->setBuddy(m_pInputLine);

  m_pAnswer = new QPushButton(QStringLiteral("&Svara"), this);
  m_pAnswer->setObjectName(QStringLiteral("answerButton"));
  m_pAnswer->setAccessibleName(QStringLiteral("Svara"));
  m_pAnswer->setAccessibleDescription(
      QStringLiteral("Skickar din replik till boten"));
  m_pAnswer->setDefault(true);
  m_pAnswer->setEnabled(false);

  m_pAutoDialog = new QCheckBox(QStringLiteral("A&utomatisk dialog"), this);
  m_pAutoDialog->setObjectName(QStringLiteral("autoDialog"));
  m_pAutoDialog->setAccessibleName(QStringLiteral("Automatisk dialog"));
  m_pAutoDialog->setAccessibleDescription(
      QStringLiteral("Profil 2 skriver din nästa replik"));
  m_pPrintNames = new QCheckBox(QStringLiteral("Skriv ut &namn"), this);
  m_pPrintNames->setObjectName(QStringLiteral("printNames"));
  m_pPrintNames->setAccessibleName(QStringLiteral("Skriv ut namn"));
  m_pPrintNames->setAccessibleDescription(
      QStringLiteral("Talarnas namn skrivs före varje rad"));

  m_pView = new QPlainTextEdit(this);
  m_pView->setObjectName(QStringLiteral("view"));
  m_pView->setAccessibleName(QStringLiteral("Samtalet"));
  m_pView->setAccessibleDescription(
      QStringLiteral("Det du och boten har sagt, rad för rad"));
  m_pView->setReadOnly(true);
  m_pView->setTabChangesFocus(true);
  m_pView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_pView->installEventFilter(this);
  // Whoever moves the view decides whether it follows the conversation: at
  // its end it does, anywhere else it stays. Text added at the end grows the
  // range without moving the view, which changes nothing here.
  connect(m_pView->verticalScrollBar(), &QScrollBar::valueChanged, this,
          [this](int value) {
            m_bFollowEnd = value >= m_pView->verticalScrollBar()->maximum();
          });

  // The template's tab order: input line, answer button, the two check
  // boxes, the conversation view.
  setTabOrder(m_pInputLine, m_pAnswer);
  setTabOrder(m_pAnswer, m_pAutoDialog);
  setTabOrder(m_pAutoDialog, m_pPrintNames);
  setTabOrder(m_pPrintNames, m_pView);

  connect(m_pAnswer, &QPushButton::clicked, this,
          [this] { m_controller.OnAnswer(); });
  connect(m_pInputLine, &QLineEdit::textChanged, this,
          [this] { m_controller.OnInputChanged(); });

  m_pFocusRing = new CFocusRing(this);
  m_pFocusRing->setObjectName(QStringLiteral("focusRing"));
  m_pFocusRing->hide();
  m_focusFollower = connect(
      qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        const bool ringed = now == m_pView || now == m_pAnswer;
        m_pFocusRing->setWidget(ringed ? now : nullptr);
      });
  ShowPrompt();
}

void CMainWindow::createActions() {
  m_pMenuBar = new QMenuBar(this);

  const auto makeAction = [this](QMenu* menu, const QString& text,
                                 const char* name, const QKeySequence& key,
                                 void (CChatDlg::*command)()) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    // The keys work wherever the focus is in the window.
    action->setShortcutContext(Qt::WindowShortcut);
    this->addAction(action);
    connect(action, &QAction::triggered, this,
            [this, command] { (m_controller.*command)(); });
  };

  QMenu* file = m_pMenuBar->addMenu(QStringLiteral("&Arkiv"));
  makeAction(file, QStringLiteral("&Börja om"), "actionRestart",
             QKeySequence(Qt::Key_F2), &CChatDlg::OnRestart);
  file->addSeparator();
  makeAction(file, QStringLiteral("&Välj profil..."), "actionChooseProfile",
             QKeySequence(Qt::CTRL | Qt::Key_O), &CChatDlg::OnChooseProfile);
  makeAction(file, QStringLiteral("&Spara dialog..."), "actionSaveDialog",
             QKeySequence(Qt::CTRL | Qt::Key_S), &CChatDlg::OnSaveDialog);
  file->addSeparator();
  makeAction(file, QStringLiteral("&Avsluta"), "actionExit", kQuitKey,
             &CChatDlg::OnExit);

  QMenu* bot = m_pMenuBar->addMenu(QStringLiteral("&Pladdo"));
  makeAction(bot, QStringLiteral("Felsök i profilen"), "actionCheckProfile",
             QKeySequence(Qt::CTRL | Qt::Key_D), &CChatDlg::OnCheckProfile);
  // Ctrl+J is no standard key on any desktop Qt knows of.
  makeAction(bot, QStringLiteral("&Varför det svaret?"), "actionWhyAnswer",
             kWhyAnswerKey, &CChatDlg::OnWhyAnswer);

  QMenu* help = m_pMenuBar->addMenu(QStringLiteral("&Hjälp"));
  makeAction(help, QStringLiteral("Öppna &ReadMe-filen..."), "actionReadMe",
             QKeySequence(Qt::Key_F1), &CChatDlg::OnReadMe);
  help->addSeparator();
  makeAction(help, QStringLiteral("&Om..."), "actionAbout", QKeySequence(),
             &CChatDlg::OnAbout);
}

void CMainWindow::createLayout() {
  const DialogUnits units = DialogUnits::FromFont(font());
  const auto dx = [&units](int dlu) { return units.ToPixelsX(dlu); };
  const auto dy = [&units](int dlu) { return units.ToPixelsY(dlu); };

  // Heights from the template, never below what the widget needs for the
  // font in use.
  m_pPrompt->setMinimumHeight(dy(kPromptHeight));
  const int inputHeight =
      std::max({dy(kInputHeight), m_pInputLine->sizeHint().height(),
                m_pAnswer->sizeHint().height()});
  m_pInputLine->setFixedHeight(inputHeight);
  m_pAnswer->setFixedSize(
      std::max(dx(kAnswerWidth), m_pAnswer->sizeHint().width()), inputHeight);
  m_pAutoDialog->setMinimumSize(dx(kAutoDialogWidth), dy(kCheckHeight));
  m_pPrintNames->setMinimumSize(dx(kPrintNamesWidth), dy(kCheckHeight));

  auto* inputRow = new QHBoxLayout;
  inputRow->setSpacing(dx(kGapInputToButton));
  inputRow->addWidget(m_pInputLine, 1);
  inputRow->addWidget(m_pAnswer);

  auto* checkRow = new QHBoxLayout;
  checkRow->setSpacing(dx(kGapBetweenChecks));
  checkRow->addWidget(m_pAutoDialog);
  checkRow->addWidget(m_pPrintNames);
  checkRow->addStretch(1);

  // The view takes all growth; everything below keeps its distance from the
  // bottom edge and the answer button its distance from the right edge.
  auto* column = new QVBoxLayout(this);
  column->setMenuBar(m_pMenuBar);
  column->setContentsMargins(dx(kMarginLeft), dy(kMarginTop), dx(kMarginRight),
                             dy(kMarginBottom));
  column->setSpacing(0);
  column->addWidget(m_pView, 1);
  column->addSpacing(dy(kGapViewToPrompt));
  column->addWidget(m_pPrompt);
  column->addSpacing(dy(kGapPromptToInput));
  column->addLayout(inputRow);
  column->addSpacing(dy(kGapInputToChecks));
  column->addLayout(checkRow);

  setMinimumSize(kMinimumWidth, kMinimumHeight);
  resize(dx(kTemplateWidth),
         dy(kTemplateHeight) + m_pMenuBar->sizeHint().height());
}

void CMainWindow::closeEvent(QCloseEvent* event) {
  // Closed without "&Avsluta": the close box (or the window manager).
  if (m_nResult == 0) m_nResult = 2;
  event->accept();
}

void CMainWindow::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (m_pAnswer->isEnabled()) m_pAnswer->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool CMainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_pView && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
  }
  if (watched == m_pPrompt && event->type() == QEvent::Resize) ShowPrompt();
  return QWidget::eventFilter(watched, event);
}

void CMainWindow::ShowPrompt() {
  const PromptParts parts = SplitPrompt(m_strPrompt);
  const QString plainTail = WithoutMnemonic(parts.tail);
  const QFontMetrics metrics(m_pPrompt->font());
  const int room =
      m_pPrompt->contentsRect().width() - metrics.horizontalAdvance(plainTail);
  QString name = metrics.elidedText(parts.name, Qt::ElideRight, room);
  if (name.isEmpty() && !parts.name.isEmpty()) name = QStringLiteral("…");
  const bool elided = name != parts.name;
  // The name's own "&" is shown as written; only the tail's marks the key.
  m_pPrompt->setText(QString(name).replace(u'&', QStringLiteral("&&")) +
                     parts.tail);
  const QString whole = parts.name + plainTail;
  m_pPrompt->setToolTip(elided ? whole : QString());
  m_pPrompt->setAccessibleName(whole);
}

void CMainWindow::ReadControls(ChatControls& controls) {
  controls.m_strInputLine = ToCp1252(m_pInputLine->text());
  controls.m_bAutoDialog = m_pAutoDialog->isChecked() ? 1 : 0;
  controls.m_bPrintNames = m_pPrintNames->isChecked() ? 1 : 0;
  controls.m_strPrompt = ToCp1252(m_strPrompt);
}

void CMainWindow::WriteControls(const ChatControls& controls,
                                const ViewUpdate& view) {
  // Setting an unchanged text would still move the caret and drop the
  // selection, so only real changes are written.
  const QString input = FromCp1252(controls.m_strInputLine);
  if (m_pInputLine->text() != input) m_pInputLine->setText(input);
  switch (view.kind) {
    case ViewUpdate::Kind::None:
      break;
    case ViewUpdate::Kind::Append:
      AppendToView(view.text);
      break;
    case ViewUpdate::Kind::Replace:
      m_pView->setPlainText(ToViewText(view.text));
      m_pView->verticalScrollBar()->setValue(0);
      // Nobody has scrolled the new content yet: the next exchange is shown.
      m_bFollowEnd = true;
      break;
  }
  m_pAutoDialog->setChecked(controls.m_bAutoDialog != 0);
  m_pPrintNames->setChecked(controls.m_bPrintNames != 0);
  const QString prompt = FromCp1252(controls.m_strPrompt);
  if (prompt != m_strPrompt) {
    m_strPrompt = prompt;
    ShowPrompt();
  }
}

void CMainWindow::AppendToView(std::string_view text) {
  QScrollBar* bar = m_pView->verticalScrollBar();
  const int scrolled = bar->value();
  const bool follow = m_bFollowEnd;
  // A cursor of its own writes at the end. The view's cursor, and with it
  // the user's selection, moves along when it touches the end, so it is put
  // back where it was.
  const QTextCursor before = m_pView->textCursor();
  const int anchor = before.anchor();
  const int position = before.position();
  QTextCursor end(m_pView->document());
  end.movePosition(QTextCursor::End);
  end.insertText(ToViewText(text));
  const QTextCursor after = m_pView->textCursor();
  if (after.anchor() != anchor || after.position() != position) {
    QTextCursor restored(m_pView->document());
    restored.setPosition(anchor);
    restored.setPosition(position, QTextCursor::KeepAnchor);
    m_pView->setTextCursor(restored);
  }
  // Putting the cursor back may have scrolled to it: the view goes back to
  // where the user had it.
  if (!follow) bar->setValue(scrolled);
  m_bFollowEnd = follow;
}

int CMainWindow::GetViewLineCount() {
  return std::max(m_pView->document()->lineCount(), 1);
}

void CMainWindow::ScrollView(int lines) {
  // A view scrolled up for reading stays put; one at its end follows.
  if (!m_bFollowEnd) return;
  QScrollBar* bar = m_pView->verticalScrollBar();
  bar->setValue(std::min(bar->maximum(), bar->value() + lines));
}

void CMainWindow::SelectInputLine() { m_pInputLine->selectAll(); }

std::string CMainWindow::GetShownInputLine() {
  return ToCp1252(m_pInputLine->text());
}

void CMainWindow::EnableAnswerButton(bool enable) {
  m_pAnswer->setEnabled(enable);
}

void CMainWindow::BeginWaitCursor() {
  QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void CMainWindow::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

void CMainWindow::RunProfileChooser(CChatEngine& engine1,
                                    CChatEngine& engine2) {
  CProfileDlg chooser(m_hooks, this);
  chooser.m_aEngine[0].SetProfile(engine1.GetProfilePath());
  chooser.m_aEngine[1].SetProfile(engine2.GetProfilePath());
  chooser.m_pEngine1 = &engine1;
  chooser.m_pEngine2 = &engine2;
  chooser.exec();
}

void CMainWindow::RunAboutBox() {
  CAboutDlg about(m_hooks, this);
  about.exec();
}

void CMainWindow::EndWindow(int result) {
  m_nResult = result;
  close();
}

bool CMainWindow::AskSavePath(std::string& path) {
  FileDialogRequest request;
  request.bOpen = false;
  // The user's documents, never the folder the program was started in,
  // which may well be its own read-only data folder.
  request.initialPath = GetDefaultSaveFolder();
  request.flags = kHideReadOnly | kOverwritePrompt;
  request.filter = std::string(LoadString(IDS_SAVE_FILTER));
  request.defaultExtension = std::string(LoadString(IDS_SAVE_EXTENSION));
  request.filterIndex = 1;
  return FileDialog(path, this, request, m_hooks);
}

bool CMainWindow::OpenFile(const std::string& path) {
  const QFileInfo file(FromCp1252(path));
  // A missing file is a failure here, not something to hand the desktop:
  // its opener would start and fail where the user cannot see why.
  if (!file.isFile()) return false;
  return m_hooks.openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

void CMainWindow::ShowWhyAnswer(std::string_view text) {
  CWhyDialog dialog(text, this);
  dialog.setObjectName(QStringLiteral("whyDialog"));
  dialog.exec();
}

void CMainWindow::ShowMessage(std::string_view text, MessageKind kind) {
  m_hooks.message(this, FromCp1252(text), kind);
}

}  // namespace pladdo
