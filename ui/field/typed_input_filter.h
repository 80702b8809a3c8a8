#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

class QInputMethodEvent;
class QInputMethodQueryEvent;
class QKeyEvent;
class QWidget;

// Typed text at a field's edge: keys and the text an input method commits reach the field with
// their full-width forms folded to ASCII (width_folding.h), visibly, so what the field shows is
// what is evaluated. It also keeps the composition the input method shows in the field, so that
// it can be committed before the field is read; or, where the field takes no composition, turns
// the input method off there. Install it after the field's key-press filter: the filter installed
// last sees the events first, and the key-press handler then sees the folded characters.
class TTypedInputFilter : public QObject {
  Q_OBJECT
public:
  enum class TComposition { Taken, Refused };
  TTypedInputFilter(QWidget* Field, TComposition Composition);

  // Commits the composition pending in the field: the input method's own commit (IBus commits on
  // QInputMethod::commit, fcitx on QInputMethod::reset), and where none was made, the
  // composition as the field shows it. The field's text is then all the user sees there.
  void CommitComposition();

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  QWidget* Field;  // a line edit (line_access.h)
  TComposition Composition;
  // The composition the field shows: that of the last input-method event it received (a click
  // that would end it commits it first, see eventFilter).
  QString Composing;

  bool FoldKey(const QKeyEvent* Key);
  // Whether a click at Point (in the field) lands on the composition, which the input method
  // handles itself.
  bool OnComposition(QPoint Point) const;
  bool TakeInputMethod(QInputMethodEvent* Composed);
  bool RefuseInputMethod(QInputMethodQueryEvent* Query);
};

// Commits the composition pending in Field (see TTypedInputFilter::CommitComposition); a field
// without the filter has none that the program knows of and is left as it is.
void CommitComposition(QWidget* Field);
