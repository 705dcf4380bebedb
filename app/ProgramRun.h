// One run of the program: the windows created hidden in their order, the
// start-up sequence, the event loop, and the windows destroyed in reverse.
#pragma once

// Returns the exit code: 0 after a normal end, 1 when the start fails. The
// arguments are the toolkit's.
int RunProgram(int& argc, char** argv);
