#pragma once

#include <QString>

class QWidget;

// Tells a screen reader what an evaluation showed, at once, in the window that has the keys (or
// Field's when none has them): each window holds a notification of its own, named with the text
// and shown anew each time, which Orca speaks as it does a desktop notification (and keeps in its
// list of notifications). An empty text is "結果なし", no result.
void Announce(QWidget* Field, const QString& Text);

// The notification of Window that Announce shows, or null before the first.
QWidget* AnnouncementOf(QWidget* Window);
