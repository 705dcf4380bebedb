// One run of the program: the windows created hidden in their order, the
// start-up sequence, the event loop, and the windows destroyed in reverse;
// or the watcher's run that records a session ended with its display.
#pragma once

// Returns the exit code: 0 after a normal end, 1 when the start fails. The
// arguments are the toolkit's.
int RunProgram(int& argc, char** argv);

// The run the watcher starts when the program vanished: the normal end is
// recorded when the display went with it, and only then. Returns the exit
// code.
int RecordDisplayEnd();
