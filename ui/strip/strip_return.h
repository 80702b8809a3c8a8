#pragma once

class NotifyIconShell;
class TVellox1;

// Keeps the strip from being lost with its icon: when the notification area goes away while the
// strip is hidden, and stays away for GraceMs, the strip is restored (Restore), just as it cannot
// be hidden while there is none (Minimize). A panel that only takes its notification area anew (as
// tint2 does on every change of the screen's resolution) leaves the strip hidden. "▼" follows the
// area at once (TVellox1::ShowTrayAvailability).
void RestoreStripWhenTrayGoes(NotifyIconShell& Shell, TVellox1& Strip, int GraceMs = 2000);
