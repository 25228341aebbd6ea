// CProfileDlg: the profile chooser on a QDialog.
#include "ui/qt/ProfileDlg.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <algorithm>

#include "engine/NameOrder.h"
#include "engine/TextUtil.h"
#include "ui/StringTable.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/FileDialog.h"
#include "ui/qt/QtText.h"

namespace pladdo {

CProfileDlg::CProfileDlg(DesktopHooks hooks, QWidget* parent)
    : QDialog(parent), m_hooks(std::move(hooks)) {
  setWindowTitle(QStringLiteral("Välj profil..."));
  const DialogUnits units = DialogUnits::FromFont(font());

  auto* chooseLabel = new QLabel(QStringLiteral("Välj profil:"), this);
  PlaceWidget(chooseLabel, units, {7, 7, 31, 8});
  m_pProfile1 = new QRadioButton(QStringLiteral("Profil &1"), this);
  m_pProfile1->setObjectName(QStringLiteral("profile1"));
  PlaceWidget(m_pProfile1, units, {45, 7, 37, 10});
  m_pProfile2 =
      new QRadioButton(QStringLiteral("Profil &2 (för autodialog)"), this);
  m_pProfile2->setObjectName(QStringLiteral("profile2"));
  PlaceWidget(m_pProfile2, units, {84, 7, 86, 10});
  auto* group = new QButtonGroup(this);
  group->addButton(m_pProfile1, 0);
  group->addButton(m_pProfile2, 1);

  auto* fileLabel = new QLabel(QStringLiteral("Filnamn:"), this);
  PlaceWidget(fileLabel, units, {7, 22, 27, 8});
  m_pFileName = new QLineEdit(this);
  m_pFileName->setObjectName(QStringLiteral("fileName"));
  m_pFileName->setReadOnly(true);
  PlaceWidget(m_pFileName, units, {7, 34, 165, 14}, Fit::Exact);
  m_pBrowse = new QPushButton(QStringLiteral("&Bläddra..."), this);
  m_pBrowse->setObjectName(QStringLiteral("browse"));
  m_pBrowse->setAutoDefault(false);
  PlaceWidget(m_pBrowse, units, {180, 34, 62, 14}, Fit::Exact);

  auto* infoLabel = new QLabel(QStringLiteral("&Information:"), this);
  PlaceWidget(infoLabel, units, {7, 55, 38, 8});
  m_pInfo = new QPlainTextEdit(this);
  m_pInfo->setObjectName(QStringLiteral("info"));
  m_pInfo->setReadOnly(true);
  m_pInfo->setTabChangesFocus(true);
  m_pInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  PlaceWidget(m_pInfo, units, {7, 65, 165, 51}, Fit::Exact);
  infoLabel->setBuddy(m_pInfo);

  auto* namesLabel = new QLabel(QStringLiteral("&Namn:"), this);
  PlaceWidget(namesLabel, units, {180, 56, 22, 8});
  m_pNames = new QListWidget(this);
  m_pNames->setObjectName(QStringLiteral("names"));
  m_pNames->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  PlaceWidget(m_pNames, units, {180, 65, 62, 50}, Fit::Exact);
  namesLabel->setBuddy(m_pNames);

  const auto makeLine = [this, &units](const QString& text, const char* name,
                                       int y) {
    auto* line = new QLabel(text, this);
    line->setObjectName(QString::fromLatin1(name));
    // Profile texts are shown as written, "&" and "<" included.
    line->setTextFormat(Qt::PlainText);
    PlaceWidget(line, units, {7, y, 165, 8}, Fit::Exact);
    return line;
  };
  m_pNameLine = makeLine(QStringLiteral("Namn:"), "nameLine", 122);
  m_pVersionLine = makeLine(QStringLiteral("Version:"), "versionLine", 133);
  m_pCreatorLine = makeLine(QStringLiteral("Skapare:"), "creatorLine", 144);
  m_pLanguageLine = makeLine(QStringLiteral("Språk:"), "languageLine", 155);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  PlaceWidget(ok, units, {180, 132, 62, 14}, Fit::Exact);
  auto* cancel = new QPushButton(QStringLiteral("Avbryt"), this);
  cancel->setObjectName(QStringLiteral("cancel"));
  cancel->setAutoDefault(false);
  PlaceWidget(cancel, units, {180, 149, 62, 14}, Fit::Exact);

  setFixedSize(units.ToPixelsX(249), units.ToPixelsY(170));

  connect(m_pProfile1, &QRadioButton::clicked, this, [this] { OnProfile1(); });
  connect(m_pProfile2, &QRadioButton::clicked, this, [this] { OnProfile2(); });
  connect(m_pBrowse, &QPushButton::clicked, this, [this] { OnBrowse(); });
  connect(ok, &QPushButton::clicked, this, &CProfileDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &CProfileDlg::reject);
}

CProfileDlg::~CProfileDlg() = default;

void CProfileDlg::showEvent(QShowEvent* event) {
  if (!m_bInitialised) {
    m_bInitialised = true;
    OnInitDialog();
  }
  QDialog::showEvent(event);
}

void CProfileDlg::OnInitDialog() {
  m_nProfile = 0;
  ShowProfile();
}

void CProfileDlg::ShowProfile() {
  const CChatEngine& engine = m_aEngine[static_cast<std::size_t>(m_nProfile)];
  m_strInfo = engine.GetInfo(InfoField::Info);
  m_strNameLine = "Namn: " + engine.GetInfo(InfoField::Name);
  m_strVersionLine = "Version: " + engine.GetInfo(InfoField::Version);
  m_strCreatorLine = "Skapare: " + engine.GetInfo(InfoField::Creator);
  m_strLanguageLine = "Spr\xE5k: " + engine.GetInfo(InfoField::Language);
  m_strFileName = engine.GetProfilePath();

  m_vecNames = engine.GetNames();
  SortSwedish(m_vecNames);
  UpdateData();
}

void CProfileDlg::UpdateData() {
  m_pProfile1->setChecked(m_nProfile == 0);
  m_pProfile2->setChecked(m_nProfile == 1);
  m_pFileName->setText(FromCp1252(m_strFileName));
  m_pFileName->setCursorPosition(0);
  m_pInfo->setPlainText(FromCp1252(m_strInfo));
  m_pNameLine->setText(FromCp1252(m_strNameLine));
  m_pVersionLine->setText(FromCp1252(m_strVersionLine));
  m_pCreatorLine->setText(FromCp1252(m_strCreatorLine));
  m_pLanguageLine->setText(FromCp1252(m_strLanguageLine));
  m_pNames->clear();
  for (const std::string& name : m_vecNames) {
    m_pNames->addItem(FromCp1252(name));
  }
}

void CProfileDlg::OnProfile1() {
  m_nProfile = 0;
  ShowProfile();
}

void CProfileDlg::OnProfile2() {
  m_nProfile = 1;
  ShowProfile();
}

void CProfileDlg::OnBrowse() {
  if (m_nProfile < 0) return;
  FileDialogRequest request;
  request.bOpen = true;
  if (!m_strFileName.empty()) {
    request.initialPath = m_strFileName;
    request.initialFile = m_strFileName;
  }
  request.flags = kFileMustExist | kHideReadOnly;
  request.filter = std::string(LoadString(IDS_PROFILE_FILTER));
  request.filterIndex = 1;
  std::string path;
  if (!FileDialog(path, this, request, m_hooks)) return;
  m_aEngine[static_cast<std::size_t>(m_nProfile)].SetProfile(path);
  ShowProfile();
}

void CProfileDlg::accept() {
  // Both are set again even when unchanged, so both reload their language
  // tables.
  if (m_pEngine1 != nullptr)
    m_pEngine1->SetProfile(m_aEngine[0].GetProfilePath());
  if (m_pEngine2 != nullptr)
    m_pEngine2->SetProfile(m_aEngine[1].GetProfilePath());
  QDialog::accept();
}

}  // namespace pladdo
