#pragma once

#include <QString>

#include <climits>
#include <vector>

// The text of a one-line edit, its caret and selection, its length limit and its undo history,
// with the editing rules of Qt's line edit: one undo step per run of typing, per removal, per
// paste; the caret moved by characters (grapheme clusters) and by words, where a word ends at a
// space or at one of the punctuation marks of an expression. No layout: what is drawn where is
// the widget's.
//
// Each operation returns the change it made, for the widget to follow (its runs, its repainting)
// and to tell (its signals, a screen reader).
class TLineText {
public:
  struct TChange {
    bool TextChanged = false;
    bool Edited = false;            // by the user, not by setting the text
    bool SelectionChanged = false;  // the selection's range changed
    bool Rejected = false;          // text left out for the length limit
    int OldCursor = 0;
    int NewCursor = 0;
    // The old text's characters From..From + Removed (RemovedText) became the new text's
    // From..From + Inserted; the rest of the text is as it was.
    int From = 0;
    int Removed = 0;
    int Inserted = 0;
    QString RemovedText;
    bool CursorMoved() const { return NewCursor != OldCursor; }
  };

  explicit TLineText(int MaxLength = 32767);

  const QString& Text() const { return FText; }
  int Length() const { return static_cast<int>(FText.size()); }
  int Cursor() const { return FCursor; }
  bool HasSelection() const { return SelStart < SelEnd; }
  int SelectionStart() const { return SelStart; }
  int SelectionEnd() const { return SelEnd; }
  // The end of the selection away from the caret; the caret when nothing is selected.
  int Anchor() const;
  QString SelectedText() const;
  bool AllSelected() const { return !FText.isEmpty() && SelStart == 0 && SelEnd == Length(); }
  int MaxLength() const { return FMaxLength; }
  bool CanUndo() const { return UndoState > 0; }
  bool CanRedo() const { return UndoState < static_cast<int>(History.size()); }

  TChange SetMaxLength(int Length);
  // A new text, cut to the limit; the caret at its end (or at Caret), the history begun anew.
  TChange SetText(const QString& Text, int Caret = -1);
  TChange Insert(const QString& Text);
  // Insert as its own undo step, as a paste is.
  TChange Paste(const QString& Text);
  // Empties the text as one undo step, not as an edit.
  TChange Clear();
  TChange Backspace();
  TChange Delete();
  TChange RemoveSelection();
  TChange MoveCursor(int Position, bool Mark);
  TChange SetSelection(int Start, int Length);
  TChange SelectAll();
  TChange Deselect();
  TChange Undo();
  TChange Redo();
  // The text an input method commits, with its replacement and the selection it asks for
  // (SelectionStart < 0: none asked for).
  TChange InputMethod(const QString& Commit, int ReplacementStart, int ReplacementLength, bool RemovesSelection,
                      int SelectionStart, int SelectionLength);

  // Text positions by the editing rules: the next or previous character (grapheme cluster)
  // boundary, and the start of the next or previous word.
  int NextCharacter(int Position) const;
  int PreviousCharacter(int Position) const;
  int NextWord(int Position) const;
  int PreviousWord(int Position) const;
  // Where the word at Position starts and ends, as a double click selects it.
  std::pair<int, int> WordAt(int Position) const;

  // Frees the undo history, keeping the text, caret and selection.
  void ForgetHistory();
  // The history holds a step for every character typed, pasted or removed, and frees none until
  // the text is set anew: past Characters of them it is dropped after the change that passed,
  // so that a field used all day, or one that took a long paste, holds a bounded history.
  void SetHistoryBound(int Characters) { HistoryBound = Characters; }

private:
  enum class TCommand : unsigned char { Separator, Insert, SetSelection, Remove, Delete, RemoveSelection, DeleteSelection };
  struct TStep {
    TCommand Command;
    char16_t Char;
    int Position;
    int SelStart;
    int SelEnd;
  };

  QString FText;
  int FCursor = 0;
  int SelStart = 0;
  int SelEnd = 0;
  int FMaxLength;
  std::vector<TStep> History;
  int UndoState = 0;
  bool SeparatorPending = false;
  int HistoryBound = INT_MAX;
  int CharacterSteps = 0;  // since the history was last dropped

  // The change being made: what the caller is told when it is finished. Each edit of the text
  // is logged, so that what it replaced is found without a copy of the whole text.
  struct TEdit {
    int Position;
    int Inserted;
    QString Removed;
  };
  std::vector<TEdit> Edits;
  int BeforeCursor = 0;
  int BeforeSelStart = 0;
  int BeforeSelEnd = 0;
  int DirtyFrom = INT_MAX;      // the first character touched
  int DirtyTail = INT_MAX;      // the number of characters at the end untouched
  bool Rejected = false;

  void Begin();
  TChange Finish(bool Edited);
  void Touched(int From, int TailFrom);
  void Separate() { SeparatorPending = true; }
  void AddStep(TStep Step);
  void InsertRaw(const QString& Text);
  void DeleteRaw(bool WasBackspace);
  void RemoveSelectedRaw();
  void UndoRaw(int Until);
  void RedoRaw();
  // The character boundary after (Forward) or before Position.
  int ClusterBoundary(int Position, bool Forward) const;
  bool AtWordSeparator(int Position) const;
  bool IsSpace(int Position) const;
};
