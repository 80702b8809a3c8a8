#include "field/line_runs.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLine>

#include <algorithm>
#include <cmath>
#include <climits>

namespace {

// A run is cut in two past kLongestRun characters and joined to its neighbour below
// kShortestRun: a key lays out at most kLongestRun characters again, a painting draws the few
// runs that cross the view.
constexpr int kLongestRun = 512;
constexpr int kRunLength = 256;
constexpr int kShortestRun = 64;

// Whether Char may reorder the text around it or be placed by the line's start: a right-to-left
// letter, an explicit direction mark or embedding, or a tab.
bool NeedsWholeLine(QChar Char) {
  const char16_t Code = Char.unicode();
  if (Code == u'\t') return true;
  if (Code < 0x0590) return false;
  switch (Char.direction()) {
    case QChar::DirR:
    case QChar::DirAL:
    case QChar::DirAN:
    case QChar::DirRLE:
    case QChar::DirRLO:
    case QChar::DirRLI:
    case QChar::DirLRE:
    case QChar::DirLRO:
    case QChar::DirLRI:
    case QChar::DirFSI:
    case QChar::DirPDF:
    case QChar::DirPDI:
      return true;
    default:
      return false;
  }
}

// Whether a run may end before Text[Position]: not inside a surrogate pair, nor before a mark or
// joiner that belongs to the character before it.
bool SafeCut(const QString& Text, int Position) {
  if (Position <= 0 || Position >= Text.size()) return true;
  const QChar Char = Text[Position];
  const char16_t Code = Char.unicode();
  if (Char.isLowSurrogate() || Char.isMark()) return false;
  if (Code == 0x200C || Code == 0x200D || (Code >= 0xFE00 && Code <= 0xFE0F)) return false;
  return Text[Position - 1].unicode() != 0x200D;
}

// The text as the line shows it: control characters and line breaks as spaces, as Qt's line
// edit shows them, so no font draws a box for them.
QString Shown(QStringView Text) {
  QString Result = Text.toString();
  for (QChar& Char : Result) {
    const char16_t Code = Char.unicode();
    if ((Code < 0x20 && Code != u'\t') || Char == QChar::LineSeparator || Char == QChar::ParagraphSeparator)
      Char = u' ';
  }
  return Result;
}

}  // namespace

struct TLineRuns::TRun {
  int Start = 0;
  int Length = 0;
  qreal Width = 0;
  int InkTop = 0;  // the glyphs' extent about the baseline
  int InkBottom = 0;
  QTextLayout Layout;
  bool HasPreedit = false;
};

TLineRuns::TLineRuns(const QString& Line) : Text(Line) { Reset(); }

TLineRuns::~TLineRuns() = default;

void TLineRuns::SetFont(const QFont& NewFont) {
  Font = NewFont;
  Reset();
}

bool TLineRuns::NeedsWhole() const { return std::any_of(Text.begin(), Text.end(), NeedsWholeLine); }

void TLineRuns::Reset() {
  Whole = NeedsWhole();
  FDirection = Whole && Text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
  Runs.clear();
  Split(0, static_cast<int>(Text.size()));
}

void TLineRuns::Replace(int From, int Removed, int Inserted) {
  const bool NewIsWhole = std::any_of(Text.begin() + From, Text.begin() + From + Inserted, NeedsWholeLine);
  if (Whole || NewIsWhole) {
    // Laid out as one: the direction of the whole line may have changed.
    Reset();
    return;
  }
  // The runs the change touched, joined into one range of the new text.
  int First = RunOf(From);
  int Last = First;
  while (Last + 1 < static_cast<int>(Runs.size()) && Runs[Last + 1]->Start <= From + Removed) ++Last;
  // A run that lost its last characters at a cut may now end inside a cluster: its neighbour
  // is laid out again with it.
  if (First > 0 && !SafeCut(Text, From)) --First;
  int Start = Runs[First]->Start;
  int End = Runs[Last]->Start + Runs[Last]->Length - Removed + Inserted;
  const int Shift = Inserted - Removed;
  for (size_t Run = Last + 1; Run < Runs.size(); ++Run) Runs[Run]->Start += Shift;
  // Too short a range is joined to a neighbour.
  if (End - Start < kShortestRun && Runs.size() > 1) {
    if (Last + 1 < static_cast<int>(Runs.size())) {
      ++Last;
      End = Runs[Last]->Start + Runs[Last]->Length;
    } else {
      --First;
      Start = Runs[First]->Start;
    }
  }
  Runs.erase(Runs.begin() + First, Runs.begin() + Last + 1);
  // Split lays out the new runs at the end; they are moved into their place.
  const size_t Before = Runs.size();
  Split(Start, End);
  std::rotate(Runs.begin() + First, Runs.begin() + Before, Runs.end());
}

void TLineRuns::Split(int From, int To) {
  const int Length = To - From;
  if (Whole || Length <= kLongestRun) {
    auto Run = std::make_unique<TRun>();
    Run->Start = From;
    Run->Length = Length;
    LayOut(*Run);
    Runs.push_back(std::move(Run));
    return;
  }
  const int Count = (Length + kRunLength - 1) / kRunLength;
  int Start = From;
  for (int Piece = 1; Piece <= Count; ++Piece) {
    int End = Piece == Count ? To : From + static_cast<int>(static_cast<long long>(Length) * Piece / Count);
    while (End < To && !SafeCut(Text, End)) ++End;
    if (End <= Start) continue;
    auto Run = std::make_unique<TRun>();
    Run->Start = Start;
    Run->Length = End - Start;
    LayOut(*Run);
    Runs.push_back(std::move(Run));
    Start = End;
  }
}

void TLineRuns::LayOut(TRun& Run) const {
  Run.Layout.setCacheEnabled(true);  // a blink draws the same runs again
  Run.Layout.setText(Shown(QStringView(Text).sliced(Run.Start, Run.Length)));
  Run.Layout.setFont(Font);
  QTextOption Option;
  Option.setTextDirection(FDirection);
  Option.setFlags(QTextOption::IncludeTrailingSpaces);
  Run.Layout.setTextOption(Option);
  const bool Ends = Run.Start + Run.Length == Text.size();
  Run.HasPreedit = PreeditPosition >= Run.Start &&
                   (PreeditPosition < Run.Start + Run.Length || (Ends && PreeditPosition == Text.size()));
  if (Run.HasPreedit) {
    Run.Layout.setPreeditArea(PreeditPosition - Run.Start, Preedit);
    QList<QTextLayout::FormatRange> Formats;
    for (QTextLayout::FormatRange Format : PreeditFormats) {
      Format.start += PreeditPosition - Run.Start;
      Formats.append(Format);
    }
    Run.Layout.setFormats(Formats);
  } else {
    Run.Layout.setPreeditArea(-1, QString());
    Run.Layout.clearFormats();
  }
  Run.Layout.beginLayout();
  const QTextLine Line = Run.Layout.createLine();
  Run.Layout.endLayout();
  Run.Width = Line.naturalTextWidth();
  // The glyphs' own extent, from the glyphs just laid out rather than by shaping the run again.
  QRectF Ink;
  for (const QGlyphRun& Glyphs : Line.glyphRuns()) Ink |= Glyphs.boundingRect();
  // About the baseline, rounded as the font's own measure rounds it.
  Run.InkTop = qRound(Ink.top() - Line.ascent());
  Run.InkBottom = Run.InkTop + qRound(Ink.height());
}

void TLineRuns::SetPreedit(int Position, const QString& NewPreedit, const QList<QTextLayout::FormatRange>& Formats) {
  const int Old = PreeditPosition < 0 ? -1 : RunOf(PreeditPosition);
  PreeditPosition = NewPreedit.isEmpty() ? -1 : Position;
  Preedit = NewPreedit;
  PreeditFormats = NewPreedit.isEmpty() ? QList<QTextLayout::FormatRange>() : Formats;
  const int New = PreeditPosition < 0 ? -1 : RunOf(PreeditPosition);
  if (Old >= 0) LayOut(*Runs[Old]);
  if (New >= 0 && New != Old) LayOut(*Runs[New]);
}

int TLineRuns::RunOf(int Position) const {
  // The last run that starts at or before Position: a position between two runs is the later
  // one's start.
  const auto After = std::upper_bound(Runs.begin(), Runs.end(), Position,
                                      [](int At, const std::unique_ptr<TRun>& Run) { return At < Run->Start; });
  return std::max(0, static_cast<int>(After - Runs.begin()) - 1);
}

qreal TLineRuns::XOfRun(int Run) const {
  qreal X = 0;
  for (int Before = 0; Before < Run; ++Before) X += Runs[Before]->Width;
  return X;
}

qreal TLineRuns::Width() const { return XOfRun(static_cast<int>(Runs.size())); }

qreal TLineRuns::Ascent() const {
  qreal Most = 0;
  for (const auto& Run : Runs) Most = std::max(Most, Run->Layout.lineAt(0).ascent());
  return Most;
}

qreal TLineRuns::Height() const {
  qreal Descent = 0;
  for (const auto& Run : Runs) Descent = std::max(Descent, Run->Layout.lineAt(0).descent());
  return std::ceil(Ascent() + Descent);
}

int TLineRuns::InkHeight() const {
  int Top = INT_MAX;
  int Bottom = INT_MIN;
  for (const auto& Run : Runs) {
    if (Run->InkBottom == Run->InkTop) continue;
    Top = std::min(Top, Run->InkTop);
    Bottom = std::max(Bottom, Run->InkBottom);
  }
  return Top == INT_MAX ? 0 : Bottom - Top;
}

namespace {

// A text position within a run, counted as its layout counts: past the composition when it
// stands after it, into it by PreeditOffset when at it.
int InLayout(int Local, int PreeditLocal, int PreeditLength, int PreeditOffset) {
  if (PreeditLocal < 0 || Local < PreeditLocal) return Local;
  return Local + (Local == PreeditLocal ? PreeditOffset : PreeditLength);
}

}  // namespace

qreal TLineRuns::XOf(int Position, int PreeditOffset) const {
  const int Run = RunOf(Position);
  const TRun& Laid = *Runs[Run];
  const int PreeditLocal = Laid.HasPreedit ? PreeditPosition - Laid.Start : -1;
  const int Local = InLayout(Position - Laid.Start, PreeditLocal, static_cast<int>(Preedit.size()), PreeditOffset);
  return XOfRun(Run) + Laid.Layout.lineAt(0).cursorToX(Local);
}

int TLineRuns::PositionAt(qreal X) const {
  qreal RunX = 0;
  size_t Run = 0;
  while (Run + 1 < Runs.size() && X >= RunX + Runs[Run]->Width) RunX += Runs[Run++]->Width;
  const TRun& Laid = *Runs[Run];
  const int Local = Laid.Layout.lineAt(0).xToCursor(X - RunX, QTextLine::CursorBetweenCharacters);
  const int Shown = Laid.Length + (Laid.HasPreedit ? static_cast<int>(Preedit.size()) : 0);
  int Position = Laid.Start + std::clamp(Local, 0, Shown);
  // Past a composition in an earlier run, the characters it shows count too.
  if (PreeditPosition >= 0 && PreeditPosition < Laid.Start) Position += static_cast<int>(Preedit.size());
  return Position;
}

std::pair<qreal, qreal> TLineRuns::Span(int From, int To) const {
  const qreal Left = XOf(From);
  const qreal Right = XOf(To);
  return {std::min(Left, Right), std::max(Left, Right)};
}

void TLineRuns::Draw(QPainter* Painter, QPointF Origin, const QRectF& Clip, const TSelection& Selected) const {
  const qreal LineAscent = Ascent();
  qreal RunX = 0;
  for (const auto& Run : Runs) {
    const qreal Left = Origin.x() + RunX;
    RunX += Run->Width;
    // Glyphs may lean or kern a little past their run's advance.
    if (Left + Run->Width < Clip.left() - 16 || Left > Clip.right() + 16) continue;
    QList<QTextLayout::FormatRange> Selections;
    const int Start = std::max(Selected.Start, Run->Start);
    const int End = std::min(Selected.End, Run->Start + Run->Length);
    if (End > Start) {
      const int PreeditLocal = Run->HasPreedit ? PreeditPosition - Run->Start : -1;
      const auto PreeditLength = static_cast<int>(Preedit.size());
      const int From = InLayout(Start - Run->Start, PreeditLocal, PreeditLength, PreeditLength);
      const int To = InLayout(End - Run->Start, PreeditLocal, PreeditLength, 0);
      Selections.append({From, To - From, Selected.Format});
    }
    // Each run on the line's baseline, whatever its own fonts' ascent.
    const QPointF At(Left, Origin.y() + LineAscent - Run->Layout.lineAt(0).ascent());
    Run->Layout.draw(Painter, At, Selections, Clip);
  }
}

void TLineRuns::DrawCursor(QPainter* Painter, QPointF Origin, int Position, int PreeditOffset, int Width) const {
  const int Run = RunOf(Position);
  const TRun& Laid = *Runs[Run];
  const int PreeditLocal = Laid.HasPreedit ? PreeditPosition - Laid.Start : -1;
  const int Local = InLayout(Position - Laid.Start, PreeditLocal, static_cast<int>(Preedit.size()), PreeditOffset);
  const QPointF At(Origin.x() + XOfRun(Run), Origin.y() + Ascent() - Laid.Layout.lineAt(0).ascent());
  Laid.Layout.drawCursor(Painter, At, Local, Width);
}
