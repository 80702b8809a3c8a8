#include <QAction>
#include <QFontInfo>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "look/speed_button.h"
#include "look/ui_palette.h"
#include "qt/application.h"
#include "runtime/exceptions.h"
#include "strip/strip_return.h"
#include "tray/tray_icon.h"
#include "ui_fixture.h"

namespace {

class StripTest : public UiTest {
protected:
  // The enabled flags of Undo1, Mini1, Align1, Align2 and the checked flag of P1, as "+" or "-".
  std::string MenuStates() const {
    std::string S;
    for (QAction* A : {Strip->Undo1, Strip->Mini1, Strip->Align1, Strip->Align2}) S += A->isEnabled() ? '+' : '-';
    return S + (Strip->P1->isChecked() ? "x" : "o");
  }
  void Type(const QString& Text) { QTest::keyClicks(Strip->Edit1, Text); }
  void Enter() { QTest::keyClick(Strip->Edit1, Qt::Key_Return); }
  QColor ResultColour() const { return Strip->Edit2->palette().color(QPalette::Base); }
};

TEST_F(StripTest, StartsAsAFullWidthBarWithItsControlsLaidOut) {
  Start();
  const int W = Screen().width();
  EXPECT_EQ(Strip->geometry(), QRect(0, 0, W, 38));
  // The size hints fix the height: a window manager's least height does not stretch it.
  EXPECT_EQ(Strip->minimumHeight(), 38);
  EXPECT_EQ(Strip->maximumHeight(), 38);
  EXPECT_TRUE(Strip->isVisible());
  EXPECT_TRUE(Strip->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(Strip->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(Strip->windowTitle(), "Vellox");
  EXPECT_EQ(Strip->Panel1->geometry(), QRect(0, 0, W, 38));

  // The result field ends where an 85-pixel one would and grows to the left as its font needs;
  // "＝" keeps its gap to it and the expression field gives up the width.
  const int R = Strip->Edit2->width();
  EXPECT_GE(R, 85);
  struct Place {
    QWidget* Control;
    QRect Geometry;
  };
  const Place Places[] = {
      {Strip->SpeedButton4, QRect(8, 6, 24, 24)},           {Strip->SpeedButton3, QRect(36, 6, 24, 24)},
      {Strip->Edit1, QRect(68, 8, W - R - 195, 20)},        {Strip->SpeedButton2, QRect(W - R - 121, 6, 24, 24)},
      {Strip->Edit2, QRect(W - R - 89, 8, R, 20)},          {Strip->SpeedButton5, QRect(W - 78, 6, 24, 24)},
      {Strip->SpeedButton1, QRect(W - 50, 6, 40, 24)},
  };
  for (const auto& P : Places) EXPECT_EQ(P.Control->geometry(), P.Geometry) << P.Control->accessibleName().toStdString();

  EXPECT_EQ(MenuStates(), "-+" "-+o");
  EXPECT_FALSE(Strip->Edit2->isEnabled());
  EXPECT_EQ(ResultColour(), kClSilver);
  EXPECT_EQ(QApplication::focusWidget(), Strip->Edit1);
}

TEST_F(StripTest, CaptionsHintsAndNamesForScreenReaders) {
  Start();
  struct Label {
    TSpeedButton* Button;
    const char* Caption;
    const char* Hint;
  };
  const Label Labels[] = {
      {Strip->SpeedButton4, "▼", "最小化"},  {Strip->SpeedButton3, "&C", "クリア"},
      {Strip->SpeedButton2, "＝", "計算結果"}, {Strip->SpeedButton5, "&P", "パッド入力"},
      {Strip->SpeedButton1, "E&XIT", "閉じる"},
  };
  for (const auto& L : Labels) {
    EXPECT_EQ(L.Button->text(), QString::fromUtf8(L.Caption));
    EXPECT_EQ(L.Button->toolTip(), QString::fromUtf8(L.Hint));
    EXPECT_EQ(L.Button->accessibleName(), QString::fromUtf8(L.Hint));
    EXPECT_EQ(L.Button->focusPolicy(), Qt::NoFocus);
  }
  EXPECT_FALSE(Strip->Edit1->accessibleName().isEmpty());
  EXPECT_FALSE(Strip->Edit2->accessibleName().isEmpty());
  EXPECT_NE(Strip->Edit1->accessibleName(), Strip->Edit2->accessibleName());
  EXPECT_TRUE(Strip->SpeedButton3->font().bold());
  EXPECT_EQ(Strip->SpeedButton3->palette().color(QPalette::ButtonText), UiColours(Strip->palette()).CaptionRed);
  EXPECT_EQ(Strip->PopupMenu1->defaultAction(), Strip->Undo1);
  std::vector<QString> Items;
  for (QAction* A : Strip->PopupMenu1->actions()) Items.push_back(A->isSeparator() ? "-" : A->text());
  EXPECT_EQ(Items, (std::vector<QString>{"元のサイズに戻す(&R)", "最小化(&N)", "-", "パッド入力(&P)", "表示位置(&A)", "-",
                                         "閉じる(&C)"}));
  // The captions need a font with Japanese glyphs at 12 pixels.
  EXPECT_EQ(QFontInfo(Strip->font()).pixelSize(), 12);
}

TEST_F(StripTest, SwitchesChooseTheDockAndTheFirstPaint) {
  struct Case {
    QStringList Arguments;
    bool Bottom, Shown, PadOpen;
    const char* Menu;
  };
  const Case Cases[] = {
      {{}, false, true, false, "-+" "-+o"},
      {{"/b"}, true, true, false, "-+" "+-o"},
      {{"/B", "/N"}, true, true, false, "-+" "+-o"},  // only the first argument counts
      {{"/x"}, false, true, false, "-+" "-+o"},
      {{"/BB"}, false, true, false, "-+" "-+o"},
      {{"/n"}, false, false, false, "+-" "-+o"},
      {{"/P"}, false, true, true, "-+" "-+x"},
  };
  for (const auto& C : Cases) {
    const std::string What = C.Arguments.join(" ").toStdString();
    Start(C.Arguments);
    EXPECT_EQ(Strip->y(), C.Bottom ? Screen().height() - 38 : 0) << What;
    EXPECT_EQ(Strip->isVisible(), C.Shown) << What;
    EXPECT_EQ(Pad->isVisible(), C.PadOpen) << What;
    EXPECT_EQ(Strip->FormEnabled(), !C.PadOpen) << What;
    EXPECT_EQ(MenuStates(), C.Menu) << What;
    EXPECT_TRUE(StartSwitch.isEmpty()) << What;
    Pad.reset();
    Strip.reset();
  }
}

TEST_F(StripTest, WithoutANotificationAreaTheStripCannotBeHidden) {
  Shell.TrayAvailable = false;
  Start({"/N"});
  RestoreStripWhenTrayGoes(Shell, *Strip);
  EXPECT_TRUE(Strip->isVisible());
  // "▼" is greyed and says why.
  EXPECT_FALSE(Strip->SpeedButton4->isEnabled());
  EXPECT_TRUE(Strip->SpeedButton4->toolTip().contains("通知領域がない")) << Strip->SpeedButton4->toolTip().toStdString();
  EXPECT_EQ(Strip->SpeedButton4->accessibleName(), "最小化");
  Strip->SpeedButton4->click();
  Strip->Mini1->trigger();
  EXPECT_TRUE(Strip->isVisible());
  EXPECT_EQ(MenuStates(), "-+" "-+o");

  Shell.TrayAvailable = true;  // a panel appeared
  Shell.AvailabilityChanged();
  EXPECT_TRUE(Strip->SpeedButton4->isEnabled());
  EXPECT_EQ(Strip->SpeedButton4->toolTip(), "最小化");
  Strip->SpeedButton4->click();
  EXPECT_FALSE(Strip->isVisible());
  EXPECT_EQ(MenuStates(), "+-" "-+o");
}

TEST_F(StripTest, EnterEvaluatesAndShowsTheResult) {
  Start();
  Type("1+2");
  Enter();
  EXPECT_EQ(Strip->Edit2->text(), "3");
  EXPECT_TRUE(Strip->Edit2->isEnabled());
  EXPECT_EQ(ResultColour(), WindowBackground());
  EXPECT_EQ(Strip->Edit1->text(), "1+2");  // kept, and no Enter inserted

  Strip->Edit1->setText("x = 2 ** 10");
  Strip->SpeedButton2->click();
  EXPECT_EQ(Strip->Edit2->text(), "1024");
  Strip->Edit1->setText("x / 3");
  Enter();
  EXPECT_EQ(Strip->Edit2->text(), "341.333333333333");
  EXPECT_EQ(Strip->Edit2->cursorPosition(), 0);  // shows its leading digits
}

TEST_F(StripTest, EveryResultIsShownWhole) {
  Start();
  const struct {
    const char* Expression;
    const char* Result;
  } Cases[] = {
      {"-3.64519953188247E-4951", "-3.64519953188247E-4951"},  // the longest kind
      {"-1.18973149535723E4932", "-1.18973149535723E4932"},
      {"-2/3*10**-300", "-6.66666666666667E-301"},
      {"2**64/3", "6.14891469123652E18"},
      {"12345678901234567890", "1.23456789012346E19"},
      {"-1/3", "-0.333333333333333"},
  };
  for (const auto& C : Cases) {
    Strip->Edit1->setText(C.Expression);
    Enter();
    ASSERT_EQ(Strip->Edit2->text(), C.Result);
    EXPECT_TRUE(ShowsWholeText(Strip->Edit2)) << C.Result;
    EXPECT_EQ(Strip->Edit2->toolTip().section('\n', 0, 0), C.Result);  // and whole in its tool tip
  }
  // A double click selects the whole number, not the word between its point and its exponent.
  QTest::mouseDClick(Strip->Edit2, Qt::LeftButton, {}, Strip->Edit2->rect().center());
  EXPECT_EQ(Strip->Edit2->selectedText(), Strip->Edit2->text());
}

TEST_F(StripTest, AFailureLeavesNoResultStanding) {
  Start();
  const struct {
    const char* Expression;
    const char* Shown;   // in the result field, greyed
    const char* Report;  // empty: no message box
    int Bells;
  } Cases[] = {
      {"1 +", "構文エラー", "", 1},  // a syntax error is said in the field, with the bell
      {"1/0", "", "0 で割ることはできません。式を直してください。", 0},
      {"SQRT(-1)", "", "この計算はできません（負の数の平方根や対数、0 ÷ 0 など）。式を直してください。", 0},
      {"2 € 3", "", "「€」(U+20AC) は式に使えない文字です（Shift-JIS にありません）。消すか、ほかの文字に書き換えてください。", 0},
      {"1〜2", "", "「〜」(U+301C) は式に使えない文字です（Shift-JIS にありません）。消すか、ほかの文字に書き換えてください。", 0},
      {"𠮷田", "", "「𠮷」(U+20BB7) は式に使えない文字です（Shift-JIS にありません）。消すか、ほかの文字に書き換えてください。", 0},
      {"SQR(1.0E3000)", "", "値が大きすぎます（扱えるのは 1.18973149535723E4932 まで）。式を直してください。", 0},
  };
  for (const auto& C : Cases) {
    Type("6*7");
    Enter();
    ASSERT_EQ(Strip->Edit2->text(), "42");
    Reported.clear();
    Bells = 0;
    Strip->Edit1->setText(QString::fromUtf8(C.Expression));
    Enter();
    EXPECT_EQ(Strip->Edit2->text(), QString::fromUtf8(C.Shown)) << C.Expression;
    EXPECT_EQ(Strip->ShownResult(), "") << C.Expression;
    EXPECT_FALSE(Strip->Edit2->isEnabled()) << C.Expression;
    EXPECT_EQ(ResultColour(), kClSilver) << C.Expression;
    EXPECT_EQ(Reported, *C.Report ? QStringList{QString::fromUtf8(C.Report)} : QStringList{}) << C.Expression;
    EXPECT_EQ(Bells, C.Bells) << C.Expression;
    EXPECT_EQ(Strip->Edit1->text(), QString::fromUtf8(C.Expression));  // kept for correcting
    Strip->Edit1->clear();
  }
  Strip->Edit1->setText("x\xe3\x82\xa2 = 5");  // a Japanese name
  Enter();
  EXPECT_EQ(Strip->Edit2->text(), "5");
}

TEST_F(StripTest, WhatNobodyForesawIsToldInJapaneseToo) {
  Start();
  const QString Unknown = "予期しないエラーが起きました。動きがおかしいときは Vellox を起動し直してください。";
  const std::pair<std::function<void()>, QString> Cases[] = {
      {[] { throw Exception("貼り付ける文字列が長すぎます。"); }, "貼り付ける文字列が長すぎます。"},  // the program's own
      {[] { throw std::bad_alloc(); }, "メモリが足りません。ほかのプログラムを閉じるか、式を短くしてください。"},
      {[] { throw std::out_of_range("vector"); }, Unknown},
      {[] { throw 42; }, Unknown},
  };
  for (const auto& [Raise, Message] : Cases) {
    Reported.clear();
    Application::Guard(Raise);
    EXPECT_EQ(Reported, QStringList{Message});
  }
}

TEST_F(StripTest, LongExpressionsReachTheScannerWhole) {
  Start();
  // Longer than Qt's default field limit: a name of 40,000 characters is the scanner's to refuse.
  Strip->Edit1->setText("v = " + QString(40000, 'a'));
  Enter();
  EXPECT_EQ(Reported, QStringList{"名前か数が長すぎます。1023 文字までにしてください。"});
  // A number straddling the second 2048-byte block gives back more than the block has room for.
  Reported.clear();
  Strip->Edit1->setText(QString("1+").repeated(1022) + "1.5E+x" + QString("+1").repeated(1023));
  Enter();
  EXPECT_EQ(Reported, QStringList{"長い式の途中にある数を読み取れません。その数の書き方（E の後など）を直すか、式を短くしてください。"});
  Strip->Edit1->setText(QString("1+").repeated(20000) + "1");
  Enter();
  EXPECT_EQ(Strip->Edit2->text(), "20001");
}

TEST_F(StripTest, PastedTextKeepsItsFirstLineAndNoControlCharacters) {
  Start();
  const struct {
    const char* Pasted;
    int Size;  // bytes, for texts with a NUL
    const char* Expression;
    const char* Result;
    int Bells;
  } Cases[] = {
      {"12+3\n", 5, "1+12+3", "16", 0},  // from a terminal
      {"2\r\n3\r\n", 6, "1+2", "3", 0},
      {"2\0+3", 4, "1+2+3", "6", 1},    // a NUL would have ended the expression unseen
      {"2\t*\t3", 5, "1+2 * 3", "7", 0},  // spreadsheet cells
  };
  for (const auto Way : kPasteWays) {
    for (const auto& C : Cases) {
      const std::string What = std::string(C.Pasted, C.Size) + " way " + std::to_string(static_cast<int>(Way));
      Strip->Edit1->setText("1+");
      Bells = 0;
      PasteInto(Strip->Edit1, Way, QString::fromUtf8(C.Pasted, C.Size));
      EXPECT_EQ(Strip->Edit1->text(), C.Expression) << What;
      EXPECT_EQ(Bells, C.Bells) << What;
      Enter();
      EXPECT_EQ(Strip->Edit2->text(), C.Result) << What;
    }
  }
}

TEST_F(StripTest, APasteBeyondTheLimitIsRefusedAndTheFieldKept) {
  Start();
  Type("1+");
  PasteInto(Strip->Edit1, PasteWay::CtrlV, QString(TVellox1::kExpressionLimit - 2, '1'));
  EXPECT_EQ(Strip->Edit1->text().size(), TVellox1::kExpressionLimit);  // up to the limit it is taken
  EXPECT_TRUE(Reported.isEmpty());
  Strip->Edit1->setText("1+");
  PasteInto(Strip->Edit1, PasteWay::CtrlV, QString(TVellox1::kExpressionLimit - 1, '1'));
  EXPECT_EQ(Strip->Edit1->text(), "1+");
  ASSERT_EQ(Reported.size(), 1);
  EXPECT_TRUE(Reported[0].contains(QString::number(TVellox1::kExpressionLimit))) << Reported[0].toStdString();
}

TEST_F(StripTest, ClearEmptiesBothFieldsAndFocusesTheExpression) {
  Start();
  Type("2*21");
  Enter();
  Strip->SpeedButton2->setFocus();  // speed buttons take no focus; make sure Clear gives it back
  Strip->Edit2->setFocus();
  ASSERT_TRUE(Strip->Edit1->isUndoAvailable());
  Strip->SpeedButton3->click();
  EXPECT_EQ(Strip->Edit1->text(), "");
  EXPECT_FALSE(Strip->Edit1->isUndoAvailable());  // what was typed is no longer held
  EXPECT_EQ(Strip->Edit2->text(), "");
  EXPECT_FALSE(Strip->Edit2->isEnabled());
  EXPECT_EQ(ResultColour(), kClSilver);
  EXPECT_EQ(QApplication::focusWidget(), Strip->Edit1);
}

TEST_F(StripTest, HideRestoreAndDockFollowTheMenuTable) {
  Start();
  Type("5");
  Strip->SpeedButton4->click();
  EXPECT_FALSE(Strip->isVisible());
  EXPECT_EQ(MenuStates(), "+-" "-+o");
  Strip->TrayIcon1->OnClick(*Strip->TrayIcon1);  // a click on the tray icon
  EXPECT_TRUE(Strip->isVisible());
  EXPECT_EQ(MenuStates(), "-+" "-+o");
  EXPECT_EQ(Strip->Edit1->text(), "5");
  Strip->Undo1->trigger();  // restoring a shown strip only sets the items again
  EXPECT_EQ(MenuStates(), "-+" "-+o");

  Strip->Mini1->trigger();
  Strip->Align2->trigger();  // bottom: moves and shows, and the menu says so
  EXPECT_TRUE(Strip->isVisible());
  EXPECT_EQ(Strip->y(), Screen().height() - 38);
  EXPECT_EQ(MenuStates(), "-+" "+-o");
  Strip->Mini1->trigger();
  Strip->Align1->trigger();  // top: moves, stays hidden
  EXPECT_FALSE(Strip->isVisible());
  EXPECT_EQ(Strip->y(), 0);
  EXPECT_EQ(MenuStates(), "+-" "-+o");
}

TEST_F(StripTest, TheTrayIconIsTheStripsOwn) {
  Start();
  ASSERT_EQ(Shell.Messages(), (std::vector<uint32_t>{NIM_ADD}));
  EXPECT_STREQ(Shell.Calls[0].Data.szTip, "Vellox");
  EXPECT_EQ(Shell.Calls[0].Data.uFlags, 7u);
  EXPECT_EQ(Strip->TrayIcon1->RBPopupMenu(), Strip->PopupMenu1);
  EXPECT_EQ(Strip->TrayIcon1->LBPopupMenu(), nullptr);
  EXPECT_FALSE(Strip->TrayIcon1->OnDblClick);
  Strip.reset();
  Pad.reset();
  EXPECT_EQ(Shell.Messages(), (std::vector<uint32_t>{NIM_ADD, NIM_DELETE}));
}

TEST_F(StripTest, ALockedStripTakesNoInputButItsMenuWorks) {
  Start();
  Strip->SpeedButton5->click();
  EXPECT_TRUE(Pad->isVisible());
  EXPECT_FALSE(Strip->FormEnabled());
  EXPECT_TRUE(Strip->Edit1->isEnabled());  // its controls keep their own flags
  QTest::keyClicks(Strip->Edit1, "123");
  QTest::mouseClick(Strip->SpeedButton3, Qt::LeftButton);
  EXPECT_EQ(Strip->Edit1->text(), "");
  // The pointer finds no control to light up or show a hint for.
  const QPoint OverButton = Strip->SpeedButton3->mapTo(Strip.get(), Strip->SpeedButton3->rect().center());
  EXPECT_EQ(Strip->childAt(OverButton), nullptr);
  Strip->Mini1->trigger();
  EXPECT_FALSE(Strip->isVisible());
  Strip->Undo1->trigger();
  EXPECT_TRUE(Strip->isVisible());
  EXPECT_FALSE(Strip->FormEnabled());  // still locked until the keypad closes
  Pad->close();
  EXPECT_TRUE(Strip->FormEnabled());
  EXPECT_FALSE(Strip->P1->isChecked());
  QTest::keyClicks(Strip->Edit1, "7");
  EXPECT_EQ(Strip->Edit1->text(), "7");
  EXPECT_EQ(Strip->childAt(OverButton), Strip->SpeedButton3);
}

TEST_F(StripTest, ClosingTheStripEndsTheProgram) {
  Start();
  // The connections and the safety net end with the test, so that none reaches a later one.
  QObject Watcher;
  bool Quit = false;
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, &Watcher, [&] { Quit = true; });
  QTimer::singleShot(0, Strip->Close1, &QAction::trigger);
  bool SafetyNet = false;  // its quit sets Quit too: it must not be what ended the loop
  QTimer Net;
  Net.setSingleShot(true);
  QObject::connect(&Net, &QTimer::timeout, &Watcher, [&] {
    SafetyNet = true;
    QCoreApplication::quit();
  });
  Net.start(2000);
  QCoreApplication::exec();
  EXPECT_TRUE(Quit);
  EXPECT_FALSE(SafetyNet);
  EXPECT_FALSE(Strip->isVisible());
}

}  // namespace
