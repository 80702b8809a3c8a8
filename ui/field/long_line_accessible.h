#pragma once

#include <QAccessibleWidget>
#include <QString>

class QObject;
class TLongLineEdit;

// What a screen reader is told of a TLongLineEdit, and what it may do with it: the same as Qt
// tells of its own line edit (role, states, text, caret, selection, character geometry, the text
// by characters, words, sentences and lines, and edits), so Orca reads and edits the strip's long
// expression field as it does any line edit.
//
// The queries by characters and words read a window of the text around the offset asked for, not
// the whole text: a screen reader asks them at every caret move, and the text may be 65,536
// characters long.
class TLongLineAccessible : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
public:
  explicit TLongLineAccessible(TLongLineEdit* Field);

  QString text(QAccessible::Text Kind) const override;
  void setText(QAccessible::Text Kind, const QString& Text) override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType Type) override;

  // QAccessibleTextInterface
  void selection(int SelectionIndex, int* StartOffset, int* EndOffset) const override;
  int selectionCount() const override;
  void addSelection(int StartOffset, int EndOffset) override;
  void removeSelection(int SelectionIndex) override;
  void setSelection(int SelectionIndex, int StartOffset, int EndOffset) override;
  int cursorPosition() const override;
  void setCursorPosition(int Position) override;
  QString text(int StartOffset, int EndOffset) const override;
  QString textBeforeOffset(int Offset, QAccessible::TextBoundaryType Boundary, int* StartOffset,
                           int* EndOffset) const override;
  QString textAfterOffset(int Offset, QAccessible::TextBoundaryType Boundary, int* StartOffset,
                          int* EndOffset) const override;
  QString textAtOffset(int Offset, QAccessible::TextBoundaryType Boundary, int* StartOffset,
                       int* EndOffset) const override;
  int characterCount() const override;
  QRect characterRect(int Offset) const override;
  int offsetAtPoint(const QPoint& Point) const override;
  void scrollToSubstring(int StartIndex, int EndIndex) override;
  QString attributes(int Offset, int* StartOffset, int* EndOffset) const override;

  // QAccessibleEditableTextInterface
  void deleteText(int StartOffset, int EndOffset) override;
  void insertText(int Offset, const QString& Text) override;
  void replaceText(int StartOffset, int EndOffset, const QString& Text) override;

private:
  TLongLineEdit* Field() const;
  // Whether a screen reader may change the text now: as the keyboard may.
  bool Editable() const;
};

// The factory Qt asks for the interface of an object of class ClassName: a TLongLineAccessible
// for a TLongLineEdit, null for anything else.
QAccessibleInterface* LongLineAccessibleFactory(const QString& ClassName, QObject* Object);

// Makes Qt ask LongLineAccessibleFactory; once per process, however often it is called.
void InstallLongLineAccessible();
