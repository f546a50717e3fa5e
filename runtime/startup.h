#pragma once
// Start-up: builds the project's start-up form, raises its Load event, shows it
// and runs the event loop until the program ends. Returns the exit status.

#include "description.h"

namespace runtime {

// The command line is the Linux program's to read; the other platforms take none.
int start(const Project& project, int argc = 0, char** argv = nullptr);

// Start-up once the platform is set up and an error reporter is set, for tests
// that own both: build the start-up form, Load, show, run.
int run(const Project& project);

// Reports every uncaught error in a message titled with the start-up form's caption.
void reportInMessages(const Project& project);

} // namespace runtime
