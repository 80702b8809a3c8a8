#include "field/long_line_accessible.h"

#include <QStringView>
#include <QTextBoundaryFinder>

#include <algorithm>

#include "field/long_line_edit.h"

namespace {

// The text by characters, words and sentences is found as Qt finds it for its own line edit (the
// same boundary finder, the same walks), over a window of the text around the offset: the
// boundary rules look at a few characters either side of a position, so the boundaries well
// inside a window are those of the whole text. A walk that comes near a cut edge of its window
// is walked again in a window four times as wide, up to the whole text.
constexpr int kFirstReach = 256;  // characters either side of the offset in the first window
constexpr int kGuard = 64;        // how near a cut edge a walk may come and still be trusted
constexpr int kSnapReach = 64;    // how far a cut edge may move out to fall between plain characters

bool IsPlain(QChar Char) { return Char.unicode() >= 0x20 && Char.unicode() < 0x7F; }

// Between two printable ASCII characters: no character, word or sentence run leans across such a
// cut from far away (no joiners, combining marks or regional indicator pairs).
bool PlainCut(const QString& Text, int Position) { return IsPlain(Text[Position - 1]) && IsPlain(Text[Position]); }

// A boundary finder over a window of Text, answering in the whole text's positions, that keeps
// what it visited to tell whether its answers are the whole text's.
class TBoundaryWalk {
public:
  TBoundaryWalk(QTextBoundaryFinder::BoundaryType Type, const QString& Text, int Offset, int Reach) {
    const int Length = static_cast<int>(Text.size());
    Start = std::max(0, Offset - Reach);
    int End = std::min(Length, Offset + Reach);
    for (int Cut = Start; Start > 0 && Cut > 0 && Cut > Start - kSnapReach; --Cut)
      if (PlainCut(Text, Cut)) {
        Start = Cut;
        break;
      }
    for (int Cut = End; End < Length && Cut < Length && Cut < End + kSnapReach; ++Cut)
      if (PlainCut(Text, Cut)) {
        End = Cut;
        break;
      }
    CutLeft = Start > 0;
    CutRight = End < Length;
    TextLength = Length;
    WindowLength = End - Start;
    Finder = QTextBoundaryFinder(Type, QStringView(Text).mid(Start, WindowLength));
    Finder.setPosition(Offset - Start);
    Lowest = Highest = Offset - Start;
  }

  int Position() { return Seen(Finder.position()); }
  int ToNext() { return Seen(Finder.toNextBoundary()); }
  int ToPrevious() { return Seen(Finder.toPreviousBoundary()); }
  int ToStart() {
    Finder.toStart();
    return Seen(0);
  }
  // At the start or the end of an item: a word, not the spaces or signs between words.
  bool AtItemEdge() const {
    return Finder.boundaryReasons() & (QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem);
  }
  // Whether every position the walk visited lies far enough inside the window to be a boundary
  // of the whole text; always so in a window that is the whole text.
  bool Trusted() const {
    return (!CutLeft || Lowest >= kGuard) && (!CutRight || Highest <= WindowLength - kGuard);
  }

private:
  QTextBoundaryFinder Finder;
  int Start = 0;
  int WindowLength = 0;
  int TextLength = 0;
  bool CutLeft = false;
  bool CutRight = false;
  int Lowest = 0;
  int Highest = 0;

  // A position of the window in the whole text. A cut edge reads as the text's own end, so the
  // walks stop there as at the text's ends; what they found is then not trusted.
  int Seen(qsizetype Local) {
    if (Local < 0) return -1;
    const int At = static_cast<int>(Local);
    Lowest = std::min(Lowest, At);
    Highest = std::max(Highest, At);
    if (At == 0 && CutLeft) return 0;
    if (At == WindowLength && CutRight) return TextLength;
    return Start + At;
  }
};

struct TSpan {
  int Start = -1;
  int End = -1;
};

// The item before, at and after the walk's position, each walked as Qt's
// QAccessibleTextInterface walks the whole text.
TSpan ItemBefore(TBoundaryWalk& Walk, int) {
  TSpan Span;
  do {
    if (Walk.AtItemEdge()) break;
  } while (Walk.ToPrevious() > 0);
  Span.End = Walk.Position();
  while (Walk.ToPrevious() > 0)
    if (Walk.AtItemEdge()) break;
  Span.Start = Walk.Position();
  return Span;
}

TSpan ItemAt(TBoundaryWalk& Walk, int Length) {
  TSpan Span;
  do {
    if (Walk.AtItemEdge()) break;
  } while (Walk.ToPrevious() > 0);
  Span.Start = Walk.Position();
  // Qt's own walk (Qt 6.4) never ends where this one finds no word before the offset (a text that
  // begins with a sign or a space) or starts at the text's end after a word: it asks for the next
  // boundary past either end for ever. Here the item starts at the text's start, or is empty at
  // its end.
  if (Span.Start < 0) Span.Start = Walk.ToStart();
  int Next;
  while ((Next = Walk.ToNext()) >= 0 && Next < Length)
    if (Walk.AtItemEdge()) break;
  Span.End = Next < 0 ? Length : Walk.Position();
  return Span;
}

// The next item edge after the walk's position, or the text's end.
int NextItemEdge(TBoundaryWalk& Walk, int Length) {
  while (true) {
    const int Next = Walk.ToNext();
    if (Walk.AtItemEdge() || Next < 0 || Next >= Length) return Walk.Position();
  }
}

TSpan ItemAfter(TBoundaryWalk& Walk, int Length) {
  TSpan Span;
  Span.Start = NextItemEdge(Walk, Length);
  Span.End = NextItemEdge(Walk, Length);
  if (Span.Start == -1 || Span.End == -1 || Span.Start == Span.End) Span = {};
  return Span;
}

// Walks Text from Offset in windows that widen until the answer is the whole text's.
TSpan Walk(QTextBoundaryFinder::BoundaryType Type, const QString& Text, int Offset,
           TSpan (*Item)(TBoundaryWalk&, int)) {
  for (int Reach = kFirstReach;; Reach *= 4) {
    TBoundaryWalk Window(Type, Text, Offset, Reach);
    const TSpan Span = Item(Window, static_cast<int>(Text.size()));
    if (Window.Trusted()) return Span;
  }
}

// The boundary finder's type for a screen reader's boundary; false for lines, paragraphs and the
// whole text, which are the whole line of a one-line edit and need no finder.
bool FinderType(QAccessible::TextBoundaryType Boundary, QTextBoundaryFinder::BoundaryType* Type) {
  switch (Boundary) {
    case QAccessible::CharBoundary:
      *Type = QTextBoundaryFinder::Grapheme;
      return true;
    case QAccessible::WordBoundary:
      *Type = QTextBoundaryFinder::Word;
      return true;
    case QAccessible::SentenceBoundary:
      *Type = QTextBoundaryFinder::Sentence;
      return true;
    default:
      return false;
  }
}

QString Piece(const QString& Text, TSpan Span, int* StartOffset, int* EndOffset) {
  *StartOffset = Span.Start;
  *EndOffset = Span.End;
  return Text.mid(Span.Start, Span.End - Span.Start);
}

}  // namespace

TLongLineAccessible::TLongLineAccessible(TLongLineEdit* Field) : QAccessibleWidget(Field, QAccessible::EditableText) {
  addControllingSignal(QLatin1String("textChanged(const QString&)"));
  addControllingSignal(QLatin1String("returnPressed()"));
}

TLongLineEdit* TLongLineAccessible::Field() const { return static_cast<TLongLineEdit*>(object()); }

bool TLongLineAccessible::Editable() const { return !Field()->isReadOnly() && Field()->isEnabled(); }

QString TLongLineAccessible::text(QAccessible::Text Kind) const {
  QString Text;
  if (Kind == QAccessible::Value) Text = Field()->text();
  if (Text.isEmpty()) Text = QAccessibleWidget::text(Kind);
  return Text;
}

void TLongLineAccessible::setText(QAccessible::Text Kind, const QString& Text) {
  if (Kind != QAccessible::Value) {
    QAccessibleWidget::setText(Kind, Text);
    return;
  }
  // One step of the undo history, as the user's own edits are, rather than a new text that
  // forgets the history.
  if (Editable()) Field()->ReplaceText(0, characterCount(), Text);
}

QAccessible::State TLongLineAccessible::state() const {
  QAccessible::State State = QAccessibleWidget::state();
  if (Field()->isReadOnly())
    State.readOnly = true;
  else
    State.editable = true;
  State.selectableText = true;
  return State;
}

void* TLongLineAccessible::interface_cast(QAccessible::InterfaceType Type) {
  if (Type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  if (Type == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
  return QAccessibleWidget::interface_cast(Type);
}

void TLongLineAccessible::selection(int SelectionIndex, int* StartOffset, int* EndOffset) const {
  *StartOffset = *EndOffset = 0;
  if (SelectionIndex != 0) return;
  // -1 and -1 with nothing selected, as Qt's line edit answers.
  *StartOffset = Field()->selectionStart();
  *EndOffset = *StartOffset + std::max(0, Field()->selectionLength());
}

int TLongLineAccessible::selectionCount() const { return Field()->hasSelectedText() ? 1 : 0; }

// One selection only: a new one takes the old one's place.
void TLongLineAccessible::addSelection(int StartOffset, int EndOffset) { setSelection(0, StartOffset, EndOffset); }

void TLongLineAccessible::removeSelection(int SelectionIndex) {
  if (SelectionIndex == 0) Field()->deselect();
}

void TLongLineAccessible::setSelection(int SelectionIndex, int StartOffset, int EndOffset) {
  if (SelectionIndex != 0 || StartOffset < 0 || StartOffset > characterCount()) return;
  Field()->setSelection(StartOffset, EndOffset - StartOffset);
}

int TLongLineAccessible::cursorPosition() const { return Field()->cursorPosition(); }

void TLongLineAccessible::setCursorPosition(int Position) { Field()->setCursorPosition(Position); }

QString TLongLineAccessible::text(int StartOffset, int EndOffset) const {
  if (StartOffset > EndOffset) return {};
  return Field()->text().mid(StartOffset, EndOffset - StartOffset);
}

QString TLongLineAccessible::textBeforeOffset(int Offset, QAccessible::TextBoundaryType Boundary, int* StartOffset,
                                              int* EndOffset) const {
  if (Offset == -2) Offset = cursorPosition();
  QTextBoundaryFinder::BoundaryType Type;
  if (!FinderType(Boundary, &Type))
    return QAccessibleTextInterface::textBeforeOffset(Offset, Boundary, StartOffset, EndOffset);
  const QString Text = Field()->text();
  if (Offset == -1) Offset = static_cast<int>(Text.size());
  *StartOffset = *EndOffset = -1;
  if (Text.isEmpty() || Offset <= 0 || Offset > Text.size()) return {};
  return Piece(Text, Walk(Type, Text, Offset, ItemBefore), StartOffset, EndOffset);
}

QString TLongLineAccessible::textAfterOffset(int Offset, QAccessible::TextBoundaryType Boundary, int* StartOffset,
                                             int* EndOffset) const {
  if (Offset == -2) Offset = cursorPosition();
  QTextBoundaryFinder::BoundaryType Type;
  if (!FinderType(Boundary, &Type))
    return QAccessibleTextInterface::textAfterOffset(Offset, Boundary, StartOffset, EndOffset);
  const QString Text = Field()->text();
  if (Offset == -1) Offset = static_cast<int>(Text.size());
  *StartOffset = *EndOffset = -1;
  if (Text.isEmpty() || Offset < 0 || Offset >= Text.size()) return {};
  return Piece(Text, Walk(Type, Text, Offset, ItemAfter), StartOffset, EndOffset);
}

QString TLongLineAccessible::textAtOffset(int Offset, QAccessible::TextBoundaryType Boundary, int* StartOffset,
                                          int* EndOffset) const {
  if (Offset == -2) Offset = cursorPosition();
  QTextBoundaryFinder::BoundaryType Type;
  if (!FinderType(Boundary, &Type))
    return QAccessibleTextInterface::textAtOffset(Offset, Boundary, StartOffset, EndOffset);
  const QString Text = Field()->text();
  if (Offset == -1) Offset = static_cast<int>(Text.size());
  *StartOffset = *EndOffset = -1;
  if (Text.isEmpty() || Offset < 0 || Offset > Text.size()) return {};
  if (Offset == Text.size() && Boundary == QAccessible::CharBoundary) return {};
  return Piece(Text, Walk(Type, Text, Offset, ItemAt), StartOffset, EndOffset);
}

int TLongLineAccessible::characterCount() const { return static_cast<int>(Field()->text().size()); }

QRect TLongLineAccessible::characterRect(int Offset) const {
  // No rectangle past the last character, as Qt's line edit answers.
  if (Offset < 0 || Offset >= characterCount()) return {};
  const QRect Local = Field()->CharacterRect(Offset);
  return {Field()->mapToGlobal(Local.topLeft()), Local.size()};
}

int TLongLineAccessible::offsetAtPoint(const QPoint& Point) const {
  return Field()->cursorPositionAt(Field()->mapFromGlobal(Point));
}

// The edit scrolls to show the caret: at the substring's end, then at its start, the whole
// substring is in view where it fits.
void TLongLineAccessible::scrollToSubstring(int StartIndex, int EndIndex) {
  Field()->setCursorPosition(EndIndex);
  Field()->setCursorPosition(StartIndex);
}

QString TLongLineAccessible::attributes(int Offset, int* StartOffset, int* EndOffset) const {
  // One look for the whole text: no attributes.
  *StartOffset = *EndOffset = Offset;
  return {};
}

void TLongLineAccessible::deleteText(int StartOffset, int EndOffset) { replaceText(StartOffset, EndOffset, {}); }

void TLongLineAccessible::insertText(int Offset, const QString& Text) {
  if (!Editable() || Offset < 0 || Offset > characterCount()) return;
  const int Before = characterCount();
  Field()->ReplaceText(Offset, Offset, Text);
  // The caret after what went in (the length limit may have kept some of it out).
  Field()->setCursorPosition(Offset + characterCount() - Before);
}

void TLongLineAccessible::replaceText(int StartOffset, int EndOffset, const QString& Text) {
  const int Length = characterCount();
  StartOffset = std::clamp(StartOffset, 0, Length);
  EndOffset = std::clamp(EndOffset, StartOffset, Length);
  if (!Editable() || (StartOffset == EndOffset && Text.isEmpty())) return;
  Field()->ReplaceText(StartOffset, EndOffset, Text);
}

QAccessibleInterface* LongLineAccessibleFactory(const QString& ClassName, QObject* Object) {
  if (ClassName != QLatin1String("TLongLineEdit")) return nullptr;
  auto* Field = qobject_cast<TLongLineEdit*>(Object);
  return Field != nullptr ? new TLongLineAccessible(Field) : nullptr;
}

void InstallLongLineAccessible() {
  static const bool Installed = (QAccessible::installFactory(LongLineAccessibleFactory), true);
  (void)Installed;
}
