#pragma once

#include <QObject>

class QLineEdit;

// A double click selects the field's whole text rather than one word: a number such as
// 6.14891469123652E18 is one value, though its point, sign and exponent break words.
class TDoubleClickSelectsAll : public QObject {
  Q_OBJECT
public:
  explicit TDoubleClickSelectsAll(QLineEdit* Field);

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  QLineEdit* Field;
};
