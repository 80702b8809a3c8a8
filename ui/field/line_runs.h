#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QTextLayout>

#include <memory>
#include <vector>

class QPainter;

// A line of text laid out in runs of a few hundred characters, each on its own, so that an edit
// lays out again the run it touched and a painting draws the runs in view: the cost of either
// follows what is shown, not the length of the line. The runs' widths add up to each run's x.
//
// Text whose characters may be reordered across the whole line (right-to-left scripts) or whose
// tab stops count from the line's start is laid out as one run, and so costs what Qt's line edit
// costs. The composition an input method shows at the caret is laid out inside the run that holds
// the caret.
class TLineRuns {
public:
  // Line: the text the runs show, which their owner keeps and changes (each change told by
  // Replace or Reset); read where it lies rather than copied, so that changing it copies nothing.
  explicit TLineRuns(const QString& Line);
  ~TLineRuns();

  void SetFont(const QFont& Font);
  // The line after a change: its characters From..From + Removed are now From..From + Inserted.
  void Replace(int From, int Removed, int Inserted);
  // The whole line laid out anew: a new text or font.
  void Reset();
  void SetPreedit(int Position, const QString& Preedit, const QList<QTextLayout::FormatRange>& Formats);

  Qt::LayoutDirection Direction() const { return FDirection; }
  qreal Width() const;
  qreal Ascent() const;
  qreal Height() const;
  // The height of the glyphs' own extent over the whole line, as the font measures the text's
  // bounding rectangle.
  int InkHeight() const;
  // The x of a text position within the line, measured from its start; at the composition's
  // position, PreeditOffset counts into the composition.
  qreal XOf(int Position, int PreeditOffset = 0) const;
  // The text position nearest to X; within or past the composition, counting its characters as
  // the line shows them.
  int PositionAt(qreal X) const;
  // The ink extent of the characters From..To as the line draws them, from X to X + width.
  std::pair<qreal, qreal> Span(int From, int To) const;

  struct TSelection {
    int Start = 0;
    int End = 0;
    QTextCharFormat Format;
  };
  // Draws the runs that cross Clip, the line's start at Origin.
  void Draw(QPainter* Painter, QPointF Origin, const QRectF& Clip, const TSelection& Selected) const;
  // Draws the caret at Position (into the composition by PreeditOffset).
  void DrawCursor(QPainter* Painter, QPointF Origin, int Position, int PreeditOffset, int Width) const;

private:
  struct TRun;
  QFont Font;
  const QString& Text;
  Qt::LayoutDirection FDirection = Qt::LeftToRight;
  bool Whole = false;  // one run: right-to-left or tabbed text
  std::vector<std::unique_ptr<TRun>> Runs;
  int PreeditPosition = -1;
  QString Preedit;
  QList<QTextLayout::FormatRange> PreeditFormats;

  int RunOf(int Position) const;
  qreal XOfRun(int Run) const;
  void LayOut(TRun& Run) const;
  void Split(int From, int To);
  bool NeedsWhole() const;
};
