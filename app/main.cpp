// The process entry: hands the project to start-up and returns its exit status.

#include "runtime/startup.h"
#include "window/form1.h"

int main() { return runtime::start(window::project()); }
