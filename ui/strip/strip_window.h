#pragma once

#include <QKeyCombination>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

#include "docking/strip_docking.h"
#include "docking/strip_placement.h"
#include "engine/expr_compo.h"
#include "reading/expression_history.h"

class QAction;
class QFrame;
class QLineEdit;
class QMenu;
class TFieldHint;
class TInputLock;
class TLongLineEdit;
class TResultField;
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
  // The longest expression the field takes (its answer times at this length: bench/field_bench); a
  // longer paste is refused with a message.
  static constexpr int kExpressionLimit = 65536;

  // Components, in declaration order.
  TLongLineEdit* Edit1 = nullptr;        // the expression field, where the user types
  QLineEdit* Edit2 = nullptr;            // the result field: the last result, or why there is none
  TExprCompo ExprCompo1;                 // evaluates Edit1's text
  QFrame* Panel1 = nullptr;              // the raised background that carries the buttons
  TSpeedButton* SpeedButton1 = nullptr;  // "E&XIT": closes the program
  TSpeedButton* SpeedButton2 = nullptr;  // "＝": evaluates
  TSpeedButton* SpeedButton3 = nullptr;  // "&C": empties both fields
  TSpeedButton* SpeedButton4 = nullptr;  // "▼": hides the strip to the tray
  TTrayIcon* TrayIcon1 = nullptr;        // the icon in the notification area
  QMenu* PopupMenu1 = nullptr;           // the menu shared with the tray icon and the keypad
  QAction* Undo1 = nullptr;              // menu item "元のサイズに戻す(&R)": shows the strip again
  QAction* Close1 = nullptr;             // menu item "閉じる(&C)": closes the program
  QAction* Mini1 = nullptr;              // menu item "最小化(&N)": hides the strip to the tray
  QAction* N1 = nullptr;                 // menu separator above "閉じる(&C)"
  QAction* N2 = nullptr;                 // menu separator below "最小化(&N)"
  QAction* P1 = nullptr;                 // menu item "パッド入力(&P)": opens the keypad; checked while open
  TSpeedButton* SpeedButton5 = nullptr;  // "&P": opens the keypad
  QMenu* Align = nullptr;                // submenu "表示位置(&A)": the two docking items
  QAction* Align1 = nullptr;             // submenu item "上に張り付く(&T)": docks at the top
  QAction* Align2 = nullptr;             // submenu item "下に張り付く(&B)": docks at the bottom

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
  // A parse failure has no message box: the result field says what, the caret shows where, and
  // the bell rings.
  void CalcError(QObject* Sender);
  // Up and Down in Edit1: the expressions evaluated in this run, and back to the line typed.
  void RecallOlder(QObject* Sender);
  void RecallNewer(QObject* Sender);
  // The answer key (kAnswerKey): the last result's text at the caret in Edit1.
  void InsertAnswer(QObject* Sender);
  static constexpr QKeyCombination kAnswerKey{Qt::ControlModifier, Qt::Key_L};
  // Text pasted or dropped into Edit1: its first line, if the expression stays within its limit.
  void PasteExpression(const QString& Pasted);

  // The strip's enabled flag: while false it takes no mouse or keyboard input; its controls keep
  // their own enabled flags and look. It is false exactly while the keypad is open.
  bool FormEnabled() const;
  // The keypad open or closed: the one place that locks the strip and checks "パッド入力", or
  // unlocks it and takes the check away, so that neither can change without the other.
  void SetKeypadOpen(bool Open);
  // The keypad's window, which the keypad names here when it is made: the strip opens it and gives
  // it the keys while it is open, and knows nothing else of it.
  QPointer<QWidget> Keypad;

  // The hint the empty expression field shows.
  const TFieldHint* ExpressionHint() const { return Hint; }

  // The result that stands beside the expression as it is now: empty after a failure or a clear,
  // and once the expression was edited. What the keypad shows as its answer.
  QString ShownResult() const;

  // "▼" as the notification area is there or not: without one the strip cannot be hidden, and
  // the button is greyed with a tool tip that says why. Run when the area comes or goes.
  void ShowTrayAvailability();

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
  TFieldHint* Hint = nullptr;  // on Edit1
  TResultField* Result = nullptr;  // what Edit2 shows
  TExpressionHistory History;
  TDockEdge Edge = TDockEdge::Top;  // the edge the last switch or docking item chose: see DockAt
  // Holds the strip's band at Edge, the way the desktop docks panels.
  std::unique_ptr<TStripDocking> Docking;

  void CreateComponents();
  void DescribeForm();
  void BindHandlers();
  // Puts a recalled line in Edit1, as an edit that can be undone; the bell when there is none.
  void Recall(const std::optional<QString>& Line);
  // Whether Edit1 stays within its limit with Text in place of its selection.
  bool FitsAtCaret(const QString& Text) const;
  // The menu's restore and minimise items as the strip is shown or hidden: the one place that
  // sets them.
  void ShowVisibilityInMenu(bool Shown);
  // Docks the strip at NewEdge: the one place that sets Edge, and with it the docking items,
  // of which the one for the edge the strip is at is disabled.
  void DockAt(TDockEdge NewEdge);
  // The captions' and the result field's colours, from the strip's palette as it is now.
  void ShowColours();
  // Places the controls that depend on the strip's width W.
  void LayOutControls(int W);
};

// The strip, set as soon as its construction starts (its handlers and the keypad reach it here).
extern TVellox1* Vellox1;

// The first command-line argument, upper-cased; acted on at the first paint, then emptied.
extern QString StartSwitch;
