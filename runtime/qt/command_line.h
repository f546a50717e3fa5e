#pragma once
// The command line of the Linux program: --help and --version are answered and
// anything else the program or Qt does not know is refused, each ending the
// process before a window or a display is needed. Qt's own options (-platform,
// -style and the rest) are left on the command line for Qt.

#include "runtime/description.h"

#include <QString>

namespace runtime {

// Returns the platform that -platform names, if any.
QString readCommandLine(const Project& project, int argc, char** argv);

} // namespace runtime
