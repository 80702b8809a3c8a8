#pragma once

// Lets the event loop run for the given time, at least one round: events, timers and queued calls,
// and the deletions asked for with deleteLater, which a loop run from a test does not reach by
// itself.
void PumpEvents(int Milliseconds);
