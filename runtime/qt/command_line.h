#pragma once
// The command line of the Linux program. --help and --version are answered
// before Qt starts, so that no display is needed; every other argument is
// Qt's to take (-platform, -style and the rest), and whatever Qt leaves is
// refused before a window is shown.

#include "runtime/description.h"

#include <optional>

namespace runtime {

// Answers --help or --version; returns the exit status if it did.
std::optional<int> answerHelpOrVersion(const Project& project, int argc, char** argv);

// Refuses what the application object did not take; returns false if it did.
bool takeWhatQtLeft(const Project& project);

} // namespace runtime
