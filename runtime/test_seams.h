#pragma once
// What tests need of the event boundary beyond the program's own use.

namespace runtime {

// Marks the program ended: stops the event loop, or keeps it from starting.
void endProgram(int status);

// Lets a test start over with a running program.
void resetProgramState();

} // namespace runtime
