#pragma once

#include <QProxyStyle>

#include <functional>

// The application's style for one line edit that scrolls its text itself: the edit's contents
// rectangle is reported moved left by the scroll. A line edit maps its text to the widget
// (mouse clicks, drags and drops, the caret rectangle an input method places its candidates by,
// the character rectangles a screen reader asks for, the areas it repaints) from that rectangle
// and a scroll of its own that only its own painting sets; painted by someone else, that scroll
// stays 0 and this rectangle carries the scroll instead.
class TScrolledContentsStyle : public QProxyStyle {
  Q_OBJECT
public:
  TScrolledContentsStyle(const QWidget* Edit, std::function<int()> Scroll);

  QRect subElementRect(SubElement Element, const QStyleOption* Option, const QWidget* Widget) const override;
  // The contents rectangle where it lies, not moved.
  QRect ContentsRect(const QStyleOption* Option) const;

private:
  const QWidget* Edit;
  std::function<int()> Scroll;
};
