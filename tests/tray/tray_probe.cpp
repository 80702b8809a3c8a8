// A small program with one tray icon over the desktop's real notification area, for the
// end-to-end test: it reports on standard output what reaches the component.
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdio>

#include "qt/application.h"
#include "tray/tray_icon.h"

namespace {

void Report(const char* Format, int A = 0, int B = 0, int C = 0, int D = 0) {
  std::printf(Format, A, B, C, D);
  std::printf("\n");
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication App(argc, argv);
  App.setQuitOnLastWindowClosed(false);
  Application::SetTitle("tray probe");

  QWidget Form;
  auto* Menu = new QMenu(&Form);
  Menu->addAction("Probe item");
  QObject::connect(Menu, &QMenu::aboutToShow, [Menu] {
    QTimer::singleShot(100, Menu, [Menu] {
      const QRect G = Menu->geometry();
      Report("menu %d %d %d %d", G.x(), G.y(), G.width(), G.height());
    });
  });

  QPixmap Pixels(22, 22);
  Pixels.fill(Qt::darkBlue);
  QPainter(&Pixels).fillRect(6, 6, 10, 10, Qt::yellow);
  TIcon Image;
  Image.SetImage(QIcon(Pixels));

  auto* Icon = new TTrayIcon(&Form);
  LoadFormDescription(&Form, [&] {
    Icon->SetIcon(&Image);
    Icon->SetTipHelp("Probe");
    Icon->SetVisible(true);
    Icon->SetRBPopupMenu(Menu);
  });
  Icon->OnClick = [](TTrayIcon&) { Report("click"); };
  Icon->OnDblClick = [](TTrayIcon&) { Report("dblclick"); };
  Report("ready");
  return App.exec();
}
