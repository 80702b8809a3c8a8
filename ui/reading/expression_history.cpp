#include "reading/expression_history.h"

void TExpressionHistory::Add(const QString& Expression) {
  Position = -1;
  if (Expression.trimmed().isEmpty()) return;
  if (!Entries.empty() && Entries.front() == Expression) return;
  Entries.push_front(Expression);
  Characters += static_cast<size_t>(Expression.size());
  while (Entries.size() > kMaxEntries || (Entries.size() > 1 && Characters > kMaxCharacters)) {
    Characters -= static_cast<size_t>(Entries.back().size());
    Entries.pop_back();
  }
}

QString TExpressionHistory::Show(int Index) {
  Position = Index;
  Shown = Entries[static_cast<size_t>(Index)];
  return Shown;
}

std::optional<QString> TExpressionHistory::Older(const QString& Line) {
  if (!Recalling(Line)) {
    Position = -1;
    Kept = Line;
  }
  int Next = Position + 1;
  if (Position < 0 && !Entries.empty() && Entries.front() == Line) ++Next;
  if (Next >= static_cast<int>(Entries.size())) return std::nullopt;
  return Show(Next);
}

std::optional<QString> TExpressionHistory::Newer(const QString& Line) {
  if (!Recalling(Line)) {
    Position = -1;
    return std::nullopt;
  }
  int Next = Position - 1;
  if (Next == 0 && Entries.front() == Kept) Next = -1;  // passed over on the way back
  if (Next < 0) {
    Position = -1;
    return Kept;
  }
  return Show(Next);
}
