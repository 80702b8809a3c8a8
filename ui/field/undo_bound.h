#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Keeps a field's undo history from growing without end. The field records one step for every
// character typed, pasted or removed and frees none of them until its text is set anew; after
// Bound such characters the history is dropped (the text, caret and selection stay), so a field
// that is used all day, or that took a long paste, holds a bounded history.
class TUndoBound : public QObject {
  Q_OBJECT
public:
  // Field: a line edit (line_access.h).
  TUndoBound(QWidget* Field, int Bound);

  // Drops the field's undo history now.
  void Forget();

private:
  QWidget* Field;
  int Bound;
  int FChanged = 0;  // characters inserted or removed since the history was last dropped
  QString Before;    // the text before the latest change
  bool ForgetPending = false;
  void Changed(const QString& Text);
};
