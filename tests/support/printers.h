#pragma once

// GoogleTest printers for what the placement and window tests compare, so that a failing
// expectation prints geometry and text, not the objects' bytes (found by argument-dependent lookup).

#include <QRect>
#include <QString>

#include <ostream>

#include "docking/strip_placement.h"
#include "qt/struts.h"

inline void PrintTo(const QRect& R, std::ostream* Out) {
  *Out << "QRect(" << R.x() << ", " << R.y() << ", " << R.width() << " x " << R.height() << ")";
}

inline void PrintTo(const QString& Text, std::ostream* Out) { *Out << '"' << Text.toStdString() << '"'; }

inline void PrintTo(const TStrut& S, std::ostream* Out) {
  *Out << "TStrut{top " << S.Top << " along " << S.TopStartX << "-" << S.TopEndX << ", bottom " << S.Bottom << " along "
       << S.BottomStartX << "-" << S.BottomEndX << ", left " << S.Left << " along " << S.LeftStartY << "-" << S.LeftEndY
       << ", right " << S.Right << " along " << S.RightStartY << "-" << S.RightEndY << "}";
}

inline void PrintTo(TDockEdge Edge, std::ostream* Out) { *Out << (Edge == TDockEdge::Top ? "top" : "bottom"); }
