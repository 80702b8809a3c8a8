#pragma once

#include <QString>
#include <QWidget>

#include "expr_compo.h"
#include "qt/monitors.h"
#include "strip_placement.h"

class QAction;
class QFrame;
class QLineEdit;
class QMenu;
class TInputLock;
class TSpeedButton;
class TTrayIcon;

// The strip: a borderless, always-on-top bar as wide as the screen and 38 pixels high, docked to
// the top or bottom edge. The user types an expression into Edit1 and sees its value in Edit2. It
// owns the expression component, the tray icon and the popup menu that the tray icon and the
// keypad share. It is the main window: closing it ends the program.
class TVellox1 : public QWidget {
  Q_OBJECT
public:
  explicit TVellox1(QWidget* Parent = nullptr);
  ~TVellox1() override;

  static constexpr int kHeight = 38;
  // The result field's width when its font needs no more for the longest result.
  static constexpr int kResultWidth = 85;
  // The longest expression the field takes. A key press re-lays out the whole line, so the field
  // answers within a few tens of milliseconds up to this length (bench/field_bench); a longer
  // paste is refused with a message.
  static constexpr int kExpressionLimit = 65536;

  // Components, in declaration order.
  QLineEdit* Edit1 = nullptr;  // the expression
  QLineEdit* Edit2 = nullptr;  // the last successful result
  TExprCompo ExprCompo1;
  QFrame* Panel1 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;  // "E&XIT"
  TSpeedButton* SpeedButton2 = nullptr;  // "＝"
  TSpeedButton* SpeedButton3 = nullptr;  // "&C"
  TSpeedButton* SpeedButton4 = nullptr;  // "▼"
  TTrayIcon* TrayIcon1 = nullptr;
  QMenu* PopupMenu1 = nullptr;  // shared with the tray icon and the keypad
  QAction* Undo1 = nullptr;
  QAction* Close1 = nullptr;
  QAction* Mini1 = nullptr;
  QAction* N1 = nullptr;
  QAction* N2 = nullptr;
  QAction* P1 = nullptr;
  TSpeedButton* SpeedButton5 = nullptr;  // "&P"
  QMenu* Align = nullptr;
  QAction* Align1 = nullptr;
  QAction* Align2 = nullptr;

  // Handlers, in declaration order.
  void FormCreate(QObject* Sender);
  void FormClose(QObject* Sender);
  void Answer(QObject* Sender);
  void Clear(QObject* Sender);
  void Minimize(QObject* Sender);
  void CalcSuccess(QObject* Sender);
  void Restore(QObject* Sender);
  void Edit1KeyPress(QObject* Sender, QChar& Key);
  void FormPaint(QObject* Sender);
  void PadOpen(QObject* Sender);
  void Align1Click(QObject* Sender);
  void Align2Click(QObject* Sender);
  // A parse failure has no message box: the bell tells of it.
  void CalcError(QObject* Sender);
  // Text pasted or dropped into Edit1: its first line, if the expression stays within its limit.
  void PasteExpression(const QString& Pasted);

  // The strip's enabled flag: while false it takes no mouse or keyboard input; its controls keep
  // their own enabled flags and look.
  bool FormEnabled() const;
  void SetFormEnabled(bool Enabled);

  // Makes the window that takes the user's keys the active one, when the strip is shown: the
  // keypad while it holds the strip locked, else the strip with the focus in Edit1.
  void ActivateForInput();

protected:
  void paintEvent(QPaintEvent* Event) override;
  void showEvent(QShowEvent* Event) override;
  void hideEvent(QHideEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;

private:
  TInputLock* Lock = nullptr;
  TDockEdge Edge = TDockEdge::Top;  // the edge the last switch or docking item chose
  std::optional<TMonitor> DockedOn;  // the monitor the strip lies on, none before one was on
  QRect Docked;                      // where, in device pixels
  std::optional<TStrut> Reserved;    // what it reserves there while shown
  TMonitorWatch* Monitors = nullptr;
  TScreenEdgesWatch* ScreenEdges = nullptr;

  void CreateComponents();
  void DescribeForm();
  void BindHandlers();
  // The result field's look with no result: empty, disabled and silver.
  void ShowNoResult();
  // Docks the strip at its edge of the primary monitor as the monitors and the other panels are
  // now, and reserves its band while shown; with no monitor on, it stays where it is until one
  // comes.
  void Dock();
  // The menu's restore and minimise items as the strip is shown or hidden: the one place that
  // sets them.
  void ShowVisibilityInMenu(bool Shown);
  // Places the controls that depend on the strip's width W.
  void LayOutControls(int W);
};

// The strip, set as soon as its construction starts (its handlers and the keypad reach it here).
extern TVellox1* Vellox1;

// The first command-line argument, upper-cased; acted on at the first paint, then emptied.
extern QString StartSwitch;
