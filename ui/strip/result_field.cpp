#include "strip/result_field.h"

#include <QKeySequence>
#include <QLineEdit>

#include "field/long_line_edit.h"
#include "look/ui_palette.h"

namespace {

// More names would make a tool tip as wide as the screen.
constexpr qsizetype kNamesShown = 5;

QString UnassignedNote(const QStringList& Names) {
  QString Listed = Names.mid(0, kNamesShown).join(QStringLiteral(", "));
  if (Names.size() > kNamesShown) Listed += TResultField::tr(" ほか %1 個").arg(Names.size() - kNamesShown);
  return TResultField::tr("未定義の変数 %1 を 0 として計算しました").arg(Listed);
}

}  // namespace

TResultField::TResultField(QLineEdit* ResultField, TLongLineEdit* ExpressionField, QKeyCombination AnswerKey)
    : QObject(ResultField),
      Field(ResultField),
      Expression(ExpressionField),
      AnswerNote(tr("%1 でこの値を計算式に挿入します").arg(QKeySequence(AnswerKey).toString())) {
  Field->setReadOnly(true);
  // An edit of the expression makes the value beside it stale; undoing the edit, fresh again.
  // Most edits change neither (the field holds no result, or it is stale already).
  connect(Expression, &TLongLineEdit::textChanged, this, [this] {
    if (Stale() != ShownStale) Show();
  });
  Show();
}

void TResultField::ShowNothing() {
  Kind = TKind::Nothing;
  Text.clear();
  Show();
}

void TResultField::ShowMessage(const QString& Message, const QString& MessageDetail) {
  Kind = TKind::Message;
  Text = Message;
  Detail = MessageDetail;
  Show();
}

void TResultField::ShowResult(const QString& Value, const QStringList& Names) {
  Kind = TKind::Result;
  Text = Value;
  Unassigned = Names;
  Evaluated = Expression->text();
  Show();
}

bool TResultField::Stale() const { return Kind == TKind::Result && Expression->text() != Evaluated; }

std::optional<QString> TResultField::LastAnswer() const {
  if (Kind != TKind::Result) return std::nullopt;
  return Text;
}

QString TResultField::CurrentResult() const { return Kind == TKind::Result && !Stale() ? Text : QString(); }

QString TResultField::Announcement() const {
  switch (Kind) {
    case TKind::Result:
      return Unassigned.isEmpty() ? Text : Text + tr("、") + UnassignedNote(Unassigned);
    case TKind::Message:
      return Detail;
    case TKind::Nothing:
      break;
  }
  return QString();
}

void TResultField::Show() {
  ShownStale = Stale();
  // From the strip's palette, which the field's own colours do not change.
  const TUiColours Colours = UiColours(Field->parentWidget()->palette());
  QStringList Notes;
  if (Kind == TKind::Result) {
    const bool Fresh = !ShownStale;
    const bool Marked = !Unassigned.isEmpty();
    SetFieldColours(Field, Fresh ? Colours.FieldBackground : Colours.NoResultBackground,
                    Marked ? Colours.MarkText : Fresh ? Colours.FieldText : Colours.GreyedText);
    if (Marked) Notes << UnassignedNote(Unassigned);
    if (!Fresh) Notes << tr("式が変わりました。この値は変更前の式の結果です");
    Notes << AnswerNote;
  } else {
    SetFieldColours(Field, Colours.NoResultBackground, Colours.GreyedText);
    if (Kind == TKind::Message) Notes << Detail;
  }
  if (Field->text() != Text) {
    Field->setText(Text);
    Field->setCursorPosition(0);  // the leading digits in view
  }
  Field->setEnabled(Kind == TKind::Result);
  // A value leads the tool tip, whole; the notes follow, and a screen reader reads them too.
  Field->setToolTip((Kind == TKind::Result ? QStringList{Text} + Notes : Notes).join(u'\n'));
  Field->setAccessibleDescription(Notes.join(u'\n'));
}
