// CAboutDlg: the about box - the program's name and version, three links,
// and a line figure that turns in three dimensions once the icon is clicked.
#pragma once

#include <QDialog>
#include <QTimer>

#include "ui/qt/Desktop.h"

class QLabel;

namespace pladdo {

class CHyperLink;

// The links' targets besides the ReadMe file, and the texts shown for them.
inline constexpr char kWebTarget[] = "URL:https://pladdo.invalid/";
inline constexpr char kWebText[] = "https://pladdo.invalid/";
inline constexpr char kMailTarget[] = "mailto:pladdo@pladdo.invalid";
inline constexpr char kMailText[] = "pladdo@pladdo.invalid";

// Angle steps per timer tick, in radians, and the tick period.
inline constexpr double kStepA = 0.003;
inline constexpr double kStepB = 0.15;
inline constexpr double kStepC = 0.007;
inline constexpr int kFigureTickMs = 40;

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  // hooks: how the links and F1 open files and addresses.
  explicit CAboutDlg(DesktopHooks hooks, QWidget* parent = nullptr);
  ~CAboutDlg() override;

  // One timer tick: the angles advance one step and the figure is redrawn.
  void OnTimer();
  // A click on the program's icon: starts the animation's timer, or starts
  // it again (same period, still one timer) when it runs already.
  void OnIconClicked();

  double AngleA() const { return m_dAngleA; }
  double AngleB() const { return m_dAngleB; }
  double AngleC() const { return m_dAngleC; }
  const QTimer& Timer() const { return m_timer; }

 protected:
  // Draws the figure; the icon it replaces covers it until the animation
  // starts.
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // F1 opens the ReadMe file; a failure shows nothing.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OpenReadMe();

  DesktopHooks m_hooks;
  CHyperLink* m_pReadMeLink = nullptr;
  CHyperLink* m_pWebLink = nullptr;
  CHyperLink* m_pMailLink = nullptr;
  QLabel* m_pProgramIcon = nullptr;
  QLabel* m_pFigureIcon = nullptr;

  double m_dAngleA = 0;
  double m_dAngleB = 0;
  double m_dAngleC = 0;
  double m_dStepA = kStepA;
  double m_dStepB = kStepB;
  double m_dStepC = kStepC;
  QTimer m_timer;
};

}  // namespace pladdo
