#include "tray/callback_window.h"

#include <QCursor>
#include <QGuiApplication>
#include <QStyleHints>
#include <QWidget>

#include "qt/application.h"

namespace {

constexpr int kSingleClickExtraMs = 50;

TTrayIcon* FindInstance(uintptr_t Identifier) {
  const auto Entry = FindIconEntry(Identifier);
  return Entry == IconList.end() ? nullptr : Entry->second;
}

}  // namespace

TSingleClick::TSingleClick(TTrayIcon* Clicked, int DoubleClickMs)
    : Icon(Clicked), WaitMs(DoubleClickMs + kSingleClickExtraMs) {
  // One queued hand-over does both the termination step and the freeing, in that order. Two
  // connections to finished (one to deleteLater) would be posted one after the other from the
  // waiting thread, and the user-interface thread could free the object between the two posts.
  connect(this, &QThread::finished, this, &TSingleClick::Terminate);
}

void TSingleClick::run() { msleep(static_cast<unsigned long>(WaitMs)); }

void TSingleClick::Terminate() {
  emit Terminated(this);
  deleteLater();  // waits for the thread's own end, should it still be leaving finished
}

TCallbackWindow::TCallbackWindow(QObject* Owner) : QObject(Owner) {}

bool TCallbackWindow::event(QEvent* Event) {
  if (Event->type() != TMessageEvent::EventType) return QObject::event(Event);
  const auto* Message = static_cast<TMessageEvent*>(Event);
  if (Message->Msg == WM_TRAYNOTIFY) {
    Application::Guard([&] { WMTrayNotify(Message->WParam, Message->LParam); });
  }
  return true;
}

void TCallbackWindow::WMTrayNotify(uintptr_t WParam, intptr_t LParam) {
  TTrayIcon* Instance = FindInstance(WParam);
  if (Instance == nullptr) return;
  CurrentIcon = Instance;
  if (!Instance->Enabled()) return;
  const QPoint Position = QCursor::pos();
  const int X = Position.x(), Y = Position.y();

  switch (LParam) {
    case WM_MOUSEMOVE:
      if (Instance->OnMouseMove) Instance->OnMouseMove(*Instance, 0, X, Y);
      break;
    case WM_LBUTTONDOWN:
      Press(*Instance, Instance->LBPopupMenu(), mbLeft, ssLeft, Position);
      break;
    case WM_LBUTTONUP:
      if (Instance->OnMouseUp) {
        Instance->OnMouseUp(*Instance, mbLeft, ssLeft, X, Y);
      } else {
        ReleaseDetection(*Instance);
      }
      break;
    case WM_LBUTTONDBLCLK:
      Instance->ClickPending = true;
      if (Instance->OnDblClick) Instance->OnDblClick(*Instance);
      break;
    case WM_RBUTTONDOWN:
      Press(*Instance, Instance->RBPopupMenu(), mbRight, ssRight, Position);
      break;
    case WM_RBUTTONUP:
      if (Instance->OnMouseUp) Instance->OnMouseUp(*Instance, mbRight, ssRight, X, Y);
      break;
    case WM_MBUTTONDOWN:
      Press(*Instance, nullptr, mbMiddle, ssMiddle, Position);
      break;
    case WM_MBUTTONUP:
      if (Instance->OnMouseUp) Instance->OnMouseUp(*Instance, mbMiddle, ssMiddle, X, Y);
      break;
    default:  // WM_RBUTTONDBLCLK and anything else
      break;
  }
}

void TCallbackWindow::Press(TTrayIcon& Instance, QMenu* Menu, TMouseButton Button, TShiftState Shift,
                            QPoint Position) {
  // A button with a menu (and AutoPopup on) pops it up; the press then goes to no handler.
  if (Menu != nullptr && Instance.AutoPopup()) {
    Popup(Instance, Menu, Position);
  } else if (Instance.OnMouseDown) {
    Instance.OnMouseDown(Instance, Button, Shift, Position.x(), Position.y());
  }
}

void TCallbackWindow::Popup(TTrayIcon& Instance, QMenu* Menu, QPoint Position) {
  // Bring the owner form forward first, so the menu closes when the user clicks elsewhere.
  const QPointer<QMenu> Fixed = Menu;
  if (auto* Form = qobject_cast<QWidget*>(Instance.parent()); Form != nullptr && Form->isWindow()) {
    Form->raise();
    Form->activateWindow();
    Application::ProcessMessages();
  }
  // Waiting events may have freed the menu.
  if (!Fixed.isNull()) Fixed->popup(Position);
}

void TCallbackWindow::ReleaseDetection(TTrayIcon& Instance) {
  if (!Instance.OnClick) {
    Instance.ClickPending = false;
  } else if (Instance.ClickPending) {
    Instance.ClickPending = false;  // this release ends a double click
  } else {
    Instance.ClickPending = true;
    const int DoubleClickMs = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    auto* Wait = new TSingleClick(&Instance, DoubleClickMs);
    connect(Wait, &TSingleClick::Terminated, this, &TCallbackWindow::SingleClickDone);
    Wait->start();
  }
}

void TCallbackWindow::SingleClickDone(TSingleClick* Sender) {
  const QPointer<TTrayIcon> Instance = Sender->Icon;
  if (Instance.isNull()) return;  // destroyed during the wait: nothing touches it
  Application::Guard([&] {
    if (Instance->OnClick && Instance->ClickPending) Instance->OnClick(*Instance);
  });
  if (!Instance.isNull()) Instance->ClickPending = false;
}
