#include "field/scrolled_contents_style.h"

#include <QApplication>
#include <QStyleFactory>

TScrolledContentsStyle::TScrolledContentsStyle(const QWidget* ScrolledEdit, std::function<int()> CurrentScroll)
    // A style of the application's own kind, which the proxy owns.
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())),
      Edit(ScrolledEdit),
      Scroll(std::move(CurrentScroll)) {}

QRect TScrolledContentsStyle::subElementRect(SubElement Element, const QStyleOption* Option,
                                             const QWidget* Widget) const {
  const QRect Rect = QProxyStyle::subElementRect(Element, Option, Widget);
  if (Element != SE_LineEditContents || Widget != Edit) return Rect;
  return Rect.translated(-Scroll(), 0);
}

QRect TScrolledContentsStyle::ContentsRect(const QStyleOption* Option) const {
  return QProxyStyle::subElementRect(SE_LineEditContents, Option, Edit);
}
