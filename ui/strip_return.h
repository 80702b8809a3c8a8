#pragma once

class NotifyIconShell;
class TVellox1;

// Keeps the strip from being lost with its icon: when the notification area goes away while the
// strip is hidden, the strip is restored (Restore), just as it cannot be hidden while there is
// none (Minimize). A notification area that comes back changes nothing.
void RestoreStripWhenTrayGoes(NotifyIconShell& Shell, TVellox1& Strip);
