#pragma once

#include <QToolButton>

// A tool button that never takes the keyboard focus, so clicking it leaves the focus where it
// was. Flat buttons show their bevel only under the mouse. Margin places the caption that many
// pixels from the left edge; -1 centres it.
class TSpeedButton : public QToolButton {
  Q_OBJECT
public:
  explicit TSpeedButton(QWidget* Parent);
  void SetFlat(bool Flat) { setAutoRaise(Flat); }
  void SetMargin(int Margin);
  // The hint: tool tip and the name a screen reader speaks.
  void SetHint(const QString& Hint);

protected:
  void paintEvent(QPaintEvent* Event) override;

private:
  int Margin = -1;
};
