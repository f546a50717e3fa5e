// The process entry: hands the project to start-up and returns its exit status.

#include "runtime/startup.h"
#include "window/form1.h"

int main(int argc, char* argv[]) { return runtime::start(window::project(), argc, argv); }
