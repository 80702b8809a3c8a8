#include "ui_fixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QGuiApplication>
#include <QScreen>

#include "field/paste_filter.h"
#include "qt/application.h"
#include "reading/japanese_messages.h"

void UiTest::SetUp() {
  SetNotifyIconShell(&Shell);
  Application::SetExceptionReporter([this](const QString& Message) { Reported << Message; });
  Application::SetMessageWording(JapaneseMessage);  // as start-up sets it
  Application::SetBellRinger([this] { ++Bells; });
  PadEntry.Clear();  // the keypad's entry outlives its window, as in the program
  // Nothing an earlier test left behind reaches this one: the clipboard starts empty.
  QGuiApplication::clipboard()->clear();
}

void UiTest::TearDown() {
  Pad.reset();
  Strip.reset();
  Pump(0);
  SetNotifyIconShell(nullptr);
  Application::SetExceptionReporter(nullptr);
  Application::SetMessageWording(nullptr);
  Application::SetBellRinger(nullptr);
}

void UiTest::Start(const QStringList& Arguments) {
  Application::SetCommandLine(QStringList{"vellox"} + Arguments);
  Strip = std::make_unique<TVellox1>();
  Strip->show();
  Pad = std::make_unique<TCalPad1>();
  Pump();
}

void UiTest::Pump(int Milliseconds) { PumpEvents(Milliseconds); }

QRect UiTest::Screen() const { return QGuiApplication::primaryScreen()->geometry(); }

bool UiTest::ShowsWholeText(QWidget* Field) {
  // A field scrolls its text as it paints, to keep the caret in view. The whole text is in view
  // when the caret after the last character needs no scrolling: the first position then lies
  // where it lies with the caret in front of it.
  const auto Caret = [Field] { return Field->inputMethodQuery(Qt::ImCursorRectangle).toRect(); };
  return WithLine(Field, [&Caret](auto* Line) {
    Line->setCursorPosition(0);
    Line->repaint();
    const QRect Unscrolled = Caret();
    Line->setCursorPosition(static_cast<int>(Line->text().size()));
    Line->repaint();
    Line->setCursorPosition(0);  // not painted: the text stays scrolled as for the caret at the end
    return Caret() == Unscrolled;
  });
}

void UiTest::PasteInto(QWidget* Field, PasteWay Way, const QString& Text) {
  const QPoint End(Field->width() - 3, Field->height() / 2);
  switch (Way) {
    case PasteWay::CtrlV:
      QGuiApplication::clipboard()->setText(Text);
      QTest::keyClick(Field, Qt::Key_V, Qt::ControlModifier);
      break;
    case PasteWay::ShiftInsert:
      QGuiApplication::clipboard()->setText(Text);
      QTest::keyClick(Field, Qt::Key_Insert, Qt::ShiftModifier);
      break;
    case PasteWay::ContextMenu: {
      QGuiApplication::clipboard()->setText(Text);
      QContextMenuEvent Event(QContextMenuEvent::Mouse, End, Field->mapToGlobal(End));
      QCoreApplication::sendEvent(Field, &Event);
      auto* Menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(Menu, nullptr);
      QAction* Paste = PasteItemOf(Menu);
      ASSERT_NE(Paste, nullptr);
      Paste->trigger();
      Menu->close();
      break;
    }
    case PasteWay::Drop: {
      QMimeData Data;
      Data.setText(Text);
      // A drop reaches a widget only after the drag entered it.
      QDragEnterEvent Enter(End, Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(Field, &Enter);
      QDropEvent Event(End, Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(Field, &Event);
      break;
    }
  }
  Pump(0);
}
