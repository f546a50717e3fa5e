#pragma once
// Start-up: builds the project's start-up form, raises its Load event, shows it
// and runs the event loop until the program ends. Returns the exit status.

#include "description.h"

#include <QApplication>

namespace runtime {

int start(const Project& project);

// Start-up once the application object exists and an error reporter is set,
// for tests that own both: build the start-up form, Load, show, run.
int run(const Project& project);

// The application object. Every event Qt delivers passes through notify(), the
// outer event boundary: an exception thrown anywhere in the toolkit's handling
// of an event is reported there and ends the program, instead of reaching Qt's
// event loop, which cannot carry it.
class Application : public QApplication {
    Q_OBJECT

public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace runtime
