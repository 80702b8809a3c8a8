#pragma once

#include <QLineEdit>
#include <QWidget>

#include <utility>

#include "field/long_line_edit.h"

// A field is either Qt's line edit or, where it may hold a long expression, a TLongLineEdit. The
// two answer the same calls (text, caret, selection, undo, the signals) under the same names but
// share no base class that declares them, so code that serves both writes the calls once, in Do,
// which is compiled for each and called with the field as the class it is: Do's result must be
// the same type for both. A signal is connected by its member pointer inside Do, so that it names
// the field's own class.
template <class TDo>
decltype(auto) WithLine(QWidget* Field, TDo&& Do) {
  if (auto* Long = qobject_cast<TLongLineEdit*>(Field)) return std::forward<TDo>(Do)(Long);
  Q_ASSERT(qobject_cast<QLineEdit*>(Field) != nullptr);
  return std::forward<TDo>(Do)(static_cast<QLineEdit*>(Field));
}

template <class TDo>
decltype(auto) WithLine(const QWidget* Field, TDo&& Do) {
  if (const auto* Long = qobject_cast<const TLongLineEdit*>(Field)) return std::forward<TDo>(Do)(Long);
  Q_ASSERT(qobject_cast<const QLineEdit*>(Field) != nullptr);
  return std::forward<TDo>(Do)(static_cast<const QLineEdit*>(Field));
}
