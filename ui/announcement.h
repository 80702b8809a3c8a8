#pragma once

#include <QString>

class QWidget;

// Tells a screen reader what an evaluation showed, at once and in the window that has the keys:
// Text becomes the accessible description of the control with the focus (Field when none has
// it), and Orca speaks a change of the focused control's description as it happens. The text
// then stays as that control's description, so it is also read with the control later; an empty
// one stands as NoAnnouncement(), never as the field's placeholder.
void Announce(QWidget* Field, const QString& Text);

// The description of a field with nothing to tell: no result.
QString NoAnnouncement();
