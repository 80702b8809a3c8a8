#pragma once

#include <QLineEdit>

#include "field/long_line_edit.h"

// A field's line-edit calls, on Qt's line edit or on the long line edit: the two share their
// calls by name and meaning, not by a base class, so Do is called with whichever the field is.
template <class TDo>
decltype(auto) WithLine(QWidget* Field, TDo&& Do) {
  if (auto* Long = qobject_cast<TLongLineEdit*>(Field)) return Do(Long);
  return Do(static_cast<QLineEdit*>(Field));
}
