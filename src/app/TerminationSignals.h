#pragma once

// SIGTERM and SIGINT (a desktop session ending, Ctrl+C in a terminal) end the event loop, so the
// process leaves through main's own return with exit code 0, tearing down windows and the
// connection in order. No window is asked first: unsaved work stays in its recovery file.

// Holds the two signals back from every thread; called first in main, before any thread starts,
// so that no thread of the database engine is interrupted by them (nor its handlers run).
void BlockTerminationSignals();
// From now on the event loop receives the held signals and quits on them.
void QuitOnTerminationSignals();
