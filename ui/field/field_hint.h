#pragma once

#include <QObject>
#include <QString>

class QWidget;

// A hint drawn in an empty field where its text would start, in the palette's placeholder colour,
// as a placeholder text is drawn. Unlike Qt's placeholder it is only drawn: a screen reader does
// not take it for the field's description and read it on every focus.
class TFieldHint : public QObject {
  Q_OBJECT
public:
  // Field: a line edit (line_access.h).
  TFieldHint(QWidget* Field, const QString& Hint);
  const QString& Text() const { return Hint; }

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  QWidget* Field;
  QString Hint;
  bool Composing = false;
};
