#include "qt/caret_rest.h"

#include <QApplication>
#include <QEvent>
#include <QStyleHints>

TCaretRest::TCaretRest(int RestAfterMs, QObject* Parent)
    : QObject(Parent), FlashTime(QGuiApplication::styleHints()->cursorFlashTime()) {
  Quiet.setSingleShot(true);
  Quiet.setInterval(RestAfterMs);
  connect(&Quiet, &QTimer::timeout, this, &TCaretRest::Rest);
  qApp->installEventFilter(this);
  Quiet.start();
}

TCaretRest::~TCaretRest() {
  if (FResting) QGuiApplication::styleHints()->setCursorFlashTime(FlashTime);
}

void TCaretRest::Rest() {
  FResting = true;
  // A flash time of 0 leaves the caret shown steadily, with no timer behind it.
  QGuiApplication::styleHints()->setCursorFlashTime(0);
}

bool TCaretRest::eventFilter(QObject*, QEvent* Event) {
  switch (Event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::InputMethod:
    case QEvent::FocusIn:
    case QEvent::ApplicationActivate:
      if (FResting) {
        FResting = false;
        QGuiApplication::styleHints()->setCursorFlashTime(FlashTime);
      }
      Quiet.start();
      break;
    default:
      break;
  }
  return false;
}
