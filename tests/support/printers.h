#pragma once

// GoogleTest printers for what the placement and window tests compare, so that a failing
// expectation prints geometry and text, not the objects' bytes. GoogleTest finds each by
// argument-dependent lookup, in the global namespace of these types.

#include <QRect>
#include <QString>

#include <ostream>

#include "qt/struts.h"
#include "strip_placement.h"

inline void PrintTo(const QRect& Rect, std::ostream* Out) {
  *Out << "QRect(" << Rect.x() << ", " << Rect.y() << ", " << Rect.width() << " x " << Rect.height() << ")";
}

inline void PrintTo(const QString& Text, std::ostream* Out) { *Out << '"' << Text.toStdString() << '"'; }

inline void PrintTo(const TStrut& Strut, std::ostream* Out) {
  // Only the edges it reserves, each with its span.
  const struct {
    const char* Edge;
    int Depth, First, Last;
  } Edges[] = {{"left", Strut.Left, Strut.LeftStartY, Strut.LeftEndY},
               {"right", Strut.Right, Strut.RightStartY, Strut.RightEndY},
               {"top", Strut.Top, Strut.TopStartX, Strut.TopEndX},
               {"bottom", Strut.Bottom, Strut.BottomStartX, Strut.BottomEndX}};
  *Out << "TStrut{";
  const char* Separator = "";
  for (const auto& E : Edges) {
    if (E.Depth == 0 && E.First == 0 && E.Last == 0) continue;
    *Out << Separator << E.Edge << " " << E.Depth << " along " << E.First << "-" << E.Last;
    Separator = ", ";
  }
  *Out << "}";
}

inline void PrintTo(TDockEdge Edge, std::ostream* Out) { *Out << (Edge == TDockEdge::Top ? "top" : "bottom"); }
