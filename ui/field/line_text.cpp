#include "field/line_text.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <utility>

namespace {

// Characters looked at either side of a position to find a character boundary: a grapheme
// cluster longer than this (a letter with dozens of marks) is cut, as nothing else would be.
constexpr int kClusterReach = 32;

}  // namespace

TLineText::TLineText(int MaxLength) : FMaxLength(MaxLength) {}

int TLineText::Anchor() const {
  if (!HasSelection()) return FCursor;
  return FCursor == SelStart ? SelEnd : SelStart;
}

QString TLineText::SelectedText() const { return HasSelection() ? FText.mid(SelStart, SelEnd - SelStart) : QString(); }

void TLineText::Begin() {
  Edits.clear();
  BeforeCursor = FCursor;
  BeforeSelStart = SelStart;
  BeforeSelEnd = SelEnd;
  DirtyFrom = INT_MAX;
  DirtyTail = INT_MAX;
  Rejected = false;
}

// Called after each change of the text: it is as before up to From, and from TailFrom on.
void TLineText::Touched(int From, int TailFrom) {
  DirtyFrom = std::min(DirtyFrom, From);
  DirtyTail = std::min(DirtyTail, Length() - TailFrom);
}

TLineText::TChange TLineText::Finish(bool Edited) {
  TChange Change;
  Change.OldCursor = BeforeCursor;
  Change.NewCursor = FCursor;
  Change.Rejected = Rejected;
  Change.SelectionChanged = SelStart != BeforeSelStart || SelEnd != BeforeSelEnd;
  if (!Edits.empty()) {
    int Grown = 0;
    for (const TEdit& Edit : Edits) Grown += Edit.Inserted - static_cast<int>(Edit.Removed.size());
    const int OldLength = Length() - Grown;
    const int From = std::min(DirtyFrom, std::min(OldLength, Length()));
    const int Tail = std::min(DirtyTail, std::min(OldLength, Length()) - From);
    // What the touched range held before: its text now, with the edits taken back one by one.
    QString Old = FText.mid(From, Length() - Tail - From);
    for (auto Edit = Edits.rbegin(); Edit != Edits.rend(); ++Edit) {
      Old.remove(Edit->Position - From, Edit->Inserted);
      Old.insert(Edit->Position - From, Edit->Removed);
    }
    Change.TextChanged = QStringView(Old) != QStringView(FText).sliced(From, Length() - Tail - From);
    if (Change.TextChanged) {
      Change.Edited = Edited;
      Change.From = From;
      Change.Removed = static_cast<int>(Old.size());
      Change.Inserted = Length() - Tail - From;
      Change.RemovedText = std::move(Old);
    }
  }
  Edits.clear();
  if (CharacterSteps > HistoryBound) ForgetHistory();
  return Change;
}

void TLineText::AddStep(TStep Step) {
  History.erase(History.begin() + UndoState, History.end());
  if (SeparatorPending && UndoState > 0 && History[UndoState - 1].Command != TCommand::Separator)
    History.push_back({TCommand::Separator, u'\0', FCursor, SelStart, SelEnd});
  SeparatorPending = false;
  if (Step.Command != TCommand::Separator && Step.Command != TCommand::SetSelection) ++CharacterSteps;
  History.push_back(Step);
  UndoState = static_cast<int>(History.size());
}

void TLineText::InsertRaw(const QString& Text) {
  if (HasSelection()) AddStep({TCommand::SetSelection, u'\0', FCursor, SelStart, SelEnd});
  const int Room = FMaxLength - Length();
  if (Room > 0 && !Text.isEmpty()) {
    QString Taken = Text.left(Room);
    // A character is not cut in half at the limit.
    if (Taken.size() < Text.size() && !Taken.isEmpty() && Taken.back().isHighSurrogate()) Taken.chop(1);
    Edits.push_back({FCursor, static_cast<int>(Taken.size()), {}});
    FText.insert(FCursor, Taken);
    for (const QChar Char : Taken) AddStep({TCommand::Insert, Char.unicode(), FCursor++, -1, -1});
    Touched(FCursor - static_cast<int>(Taken.size()), FCursor);
  }
  if (Text.size() > std::max(Room, 0)) Rejected = true;
}

void TLineText::DeleteRaw(bool WasBackspace) {
  if (FCursor >= Length()) return;
  if (HasSelection()) AddStep({TCommand::SetSelection, u'\0', FCursor, SelStart, SelEnd});
  AddStep({WasBackspace ? TCommand::Remove : TCommand::Delete, FText[FCursor].unicode(), FCursor, -1, -1});
  Edits.push_back({FCursor, 0, FText.mid(FCursor, 1)});
  FText.remove(FCursor, 1);
  Touched(FCursor, FCursor);
}

void TLineText::RemoveSelectedRaw() {
  if (!HasSelection()) return;
  Separate();
  AddStep({TCommand::SetSelection, u'\0', FCursor, SelStart, SelEnd});
  if (SelStart <= FCursor && FCursor < SelEnd) {
    // The caret within the selection: the steps are split so that undo puts it back there.
    for (int At = FCursor; At >= SelStart; --At) AddStep({TCommand::DeleteSelection, FText[At].unicode(), At, -1, 1});
    for (int At = SelEnd - 1; At > FCursor; --At)
      AddStep({TCommand::DeleteSelection, FText[At].unicode(), At - FCursor + SelStart - 1, -1, -1});
  } else {
    for (int At = SelEnd - 1; At >= SelStart; --At)
      AddStep({TCommand::RemoveSelection, FText[At].unicode(), At, -1, -1});
  }
  Edits.push_back({SelStart, 0, FText.mid(SelStart, SelEnd - SelStart)});
  FText.remove(SelStart, SelEnd - SelStart);
  Touched(SelStart, SelStart);
  if (FCursor > SelStart) FCursor -= std::min(FCursor, SelEnd) - SelStart;
  SelStart = SelEnd = 0;
}

TLineText::TChange TLineText::SetMaxLength(int MaxLength) {
  FMaxLength = MaxLength;
  if (Length() <= MaxLength) return {};
  return SetText(FText, FCursor);
}

TLineText::TChange TLineText::SetText(const QString& Text, int Caret) {
  Begin();
  // A text of its own, with room to grow at either end: one shared with the caller, or one with
  // no room where the caret is, is copied whole by the next key typed into it. (Characters
  // removed from a string's front leave their room there for what is inserted at the front.)
  const QStringView Taken = QStringView(Text).left(FMaxLength);
  const qsizetype Room = Taken.size() / 8 + 64;
  QString Own;
  Own.reserve(Room + Taken.size() + Room);
  Own.append(QString(Room, u' '));
  Own.append(Taken);
  Own.remove(0, Room);
  QString Old = std::exchange(FText, std::move(Own));
  Edits.push_back({0, Length(), std::move(Old)});
  DirtyFrom = DirtyTail = 0;  // all of it anew
  SelStart = SelEnd = 0;
  ForgetHistory();
  FCursor = Caret < 0 || Caret > Length() ? Length() : Caret;
  return Finish(false);  // set, not typed
}

TLineText::TChange TLineText::Insert(const QString& Text) {
  Begin();
  RemoveSelectedRaw();
  InsertRaw(Text);
  return Finish(true);
}

TLineText::TChange TLineText::Paste(const QString& Text) {
  Begin();
  Separate();
  RemoveSelectedRaw();
  InsertRaw(Text);
  Separate();
  return Finish(true);
}

TLineText::TChange TLineText::Clear() {
  Begin();
  SelStart = 0;
  SelEnd = Length();
  RemoveSelectedRaw();
  Separate();
  return Finish(false);
}

TLineText::TChange TLineText::Backspace() {
  Begin();
  if (HasSelection()) {
    RemoveSelectedRaw();
  } else if (FCursor > 0) {
    --FCursor;
    // Both halves of a surrogate pair go at once.
    if (FCursor > 0 && FText[FCursor].isLowSurrogate() && FText[FCursor - 1].isHighSurrogate()) {
      DeleteRaw(true);
      --FCursor;
    }
    DeleteRaw(true);
  }
  return Finish(true);
}

TLineText::TChange TLineText::Delete() {
  Begin();
  if (HasSelection()) {
    RemoveSelectedRaw();
  } else {
    for (int Count = NextCharacter(FCursor) - FCursor; Count > 0; --Count) DeleteRaw(false);
  }
  return Finish(true);
}

TLineText::TChange TLineText::RemoveSelection() {
  Begin();
  if (HasSelection()) {
    RemoveSelectedRaw();
    Separate();
  }
  return Finish(true);
}

TLineText::TChange TLineText::MoveCursor(int Position, bool Mark) {
  Begin();
  Position = std::clamp(Position, 0, Length());
  if (Position != FCursor) Separate();
  if (Mark) {
    const int From = Anchor();
    SelStart = std::min(From, Position);
    SelEnd = std::max(From, Position);
  } else {
    SelStart = SelEnd = 0;
  }
  FCursor = Position;
  return Finish(false);
}

TLineText::TChange TLineText::SetSelection(int Start, int Count) {
  Begin();
  if (Start < 0 || Start > Length()) return Finish(false);
  if (Count > 0) {
    SelStart = Start;
    SelEnd = std::min(Start + Count, Length());
    FCursor = SelEnd;
  } else if (Count < 0) {
    SelStart = std::max(Start + Count, 0);
    SelEnd = Start;
    FCursor = SelStart;
  } else {
    SelStart = SelEnd = 0;
    FCursor = Start;
  }
  return Finish(false);
}

TLineText::TChange TLineText::SelectAll() {
  Begin();
  SelStart = 0;
  SelEnd = FCursor = Length();
  return Finish(false);
}

TLineText::TChange TLineText::Deselect() {
  Begin();
  SelStart = SelEnd = 0;
  return Finish(false);
}

void TLineText::UndoRaw(int Until) {
  SelStart = SelEnd = 0;
  while (UndoState > 0 && UndoState > Until) {
    const TStep Step = History[--UndoState];
    switch (Step.Command) {
      case TCommand::Insert:
        Edits.push_back({Step.Position, 0, FText.mid(Step.Position, 1)});
        FText.remove(Step.Position, 1);
        Touched(Step.Position, Step.Position);
        FCursor = Step.Position;
        break;
      case TCommand::SetSelection:
        SelStart = Step.SelStart;
        SelEnd = Step.SelEnd;
        FCursor = Step.Position;
        break;
      case TCommand::Remove:
      case TCommand::RemoveSelection:
        Edits.push_back({Step.Position, 1, {}});
        FText.insert(Step.Position, QChar(Step.Char));
        Touched(Step.Position, Step.Position + 1);
        FCursor = Step.Position + 1;
        break;
      case TCommand::Delete:
      case TCommand::DeleteSelection:
        Edits.push_back({Step.Position, 1, {}});
        FText.insert(Step.Position, QChar(Step.Char));
        Touched(Step.Position, Step.Position + 1);
        FCursor = Step.Position;
        break;
      case TCommand::Separator:
        continue;
    }
    // One undo takes back one run of the same kind of step.
    if (Until < 0 && UndoState > 0) {
      const TCommand Next = History[UndoState - 1].Command;
      if (Next != Step.Command && Next < TCommand::RemoveSelection &&
          (Step.Command < TCommand::RemoveSelection || Next == TCommand::Separator))
        break;
    }
  }
}

void TLineText::RedoRaw() {
  SelStart = SelEnd = 0;
  while (UndoState < static_cast<int>(History.size())) {
    const TStep Step = History[UndoState++];
    switch (Step.Command) {
      case TCommand::Insert:
        Edits.push_back({Step.Position, 1, {}});
        FText.insert(Step.Position, QChar(Step.Char));
        Touched(Step.Position, Step.Position + 1);
        FCursor = Step.Position + 1;
        break;
      case TCommand::SetSelection:
        SelStart = Step.SelStart;
        SelEnd = Step.SelEnd;
        FCursor = Step.Position;
        break;
      case TCommand::Remove:
      case TCommand::Delete:
      case TCommand::RemoveSelection:
      case TCommand::DeleteSelection:
        Edits.push_back({Step.Position, 0, FText.mid(Step.Position, 1)});
        FText.remove(Step.Position, 1);
        Touched(Step.Position, Step.Position);
        SelStart = Step.SelStart;
        SelEnd = Step.SelEnd;
        FCursor = Step.Position;
        break;
      case TCommand::Separator:
        SelStart = Step.SelStart;
        SelEnd = Step.SelEnd;
        FCursor = Step.Position;
        break;
    }
    if (UndoState < static_cast<int>(History.size())) {
      const TCommand Next = History[UndoState].Command;
      if (Next != Step.Command && Step.Command < TCommand::RemoveSelection && Next != TCommand::Separator &&
          (Next < TCommand::RemoveSelection || Step.Command == TCommand::Separator))
        break;
    }
  }
  // A selection step leaves marks outside the text once what it selected is gone.
  if (SelStart < 0 || SelEnd > Length() || SelStart > SelEnd) SelStart = SelEnd = 0;
}

TLineText::TChange TLineText::Undo() {
  Begin();
  if (CanUndo()) UndoRaw(-1);
  return Finish(true);
}

TLineText::TChange TLineText::Redo() {
  Begin();
  if (CanRedo()) RedoRaw();
  return Finish(true);
}

TLineText::TChange TLineText::InputMethod(const QString& Commit, int ReplacementStart, int ReplacementLength,
                                          bool RemovesSelection, int SelectionStart, int SelectionLength) {
  Begin();
  if (RemovesSelection) RemoveSelectedRaw();
  int After = FCursor;  // the caret after the commit
  if (ReplacementStart <= 0)
    After += static_cast<int>(Commit.size()) - std::min(-ReplacementStart, ReplacementLength);
  FCursor = std::max(0, FCursor + ReplacementStart);
  if (ReplacementLength > 0) {
    SelStart = FCursor;
    SelEnd = std::min(Length(), SelStart + ReplacementLength);
    RemoveSelectedRaw();
  }
  if (!Commit.isEmpty()) {
    InsertRaw(Commit);
  } else {
    FCursor = std::clamp(After, 0, Length());
  }
  if (SelectionStart >= 0) {
    FCursor = std::clamp(SelectionStart + SelectionLength, 0, Length());
    if (SelectionLength != 0) {
      SelStart = std::clamp(SelectionStart, 0, Length());
      SelEnd = FCursor;
      if (SelEnd < SelStart) std::swap(SelStart, SelEnd);
    } else {
      SelStart = SelEnd = 0;
    }
  }
  return Finish(true);
}

void TLineText::ForgetHistory() {
  History.clear();
  History.shrink_to_fit();
  UndoState = 0;
  SeparatorPending = false;
  CharacterSteps = 0;
}

int TLineText::ClusterBoundary(int Position, bool Forward) const {
  // Boundaries found in the characters around Position alone.
  const int From = std::max(0, Position - kClusterReach);
  const int To = std::min(Length(), Position + kClusterReach);
  QTextBoundaryFinder Finder(QTextBoundaryFinder::Grapheme, QStringView(FText).sliced(From, To - From));
  Finder.setPosition(Position - From);
  const auto Found = Forward ? Finder.toNextBoundary() : Finder.toPreviousBoundary();
  if (Found < 0) return Forward ? To : From;
  return From + static_cast<int>(Found);
}

int TLineText::NextCharacter(int Position) const {
  return Position >= Length() ? Length() : ClusterBoundary(Position, true);
}

int TLineText::PreviousCharacter(int Position) const { return Position <= 0 ? 0 : ClusterBoundary(Position, false); }

bool TLineText::AtWordSeparator(int Position) const {
  switch (FText[Position].unicode()) {
    case '.': case ',': case '?': case '!': case '@': case '#': case '$': case ':': case ';': case '-':
    case '<': case '>': case '[': case ']': case '(': case ')': case '{': case '}': case '=': case '/':
    case '+': case '%': case '&': case '^': case '*': case '\'': case '"': case '`': case '~': case '|':
    case '\\':
      return true;
    default:
      return false;
  }
}

bool TLineText::IsSpace(int Position) const { return FText[Position].isSpace(); }

int TLineText::NextWord(int Position) const {
  const int End = Length();
  if (Position < 0 || Position >= End) return Position;
  if (AtWordSeparator(Position)) {
    ++Position;
    while (Position < End && AtWordSeparator(Position)) ++Position;
  } else {
    while (Position < End && !IsSpace(Position) && !AtWordSeparator(Position)) ++Position;
  }
  while (Position < End && IsSpace(Position)) ++Position;
  return Position;
}

int TLineText::PreviousWord(int Position) const {
  if (Position <= 0 || Position > Length()) return Position;
  while (Position > 0 && IsSpace(Position - 1)) --Position;
  if (Position > 0 && AtWordSeparator(Position - 1)) {
    --Position;
    while (Position > 0 && AtWordSeparator(Position - 1)) --Position;
  } else {
    while (Position > 0 && !IsSpace(Position - 1) && !AtWordSeparator(Position - 1)) --Position;
  }
  return Position;
}

std::pair<int, int> TLineText::WordAt(int Position) const {
  int Next = Position + 1;
  if (Next > Length()) --Next;
  const int Start = PreviousWord(Next);
  int End = NextWord(Start);
  while (End > Position && End > 0 && FText[End - 1].isSpace()) --End;
  return {Start, End};
}
