#pragma once
// The Qt application object of the program and of its widget tests.

#include <QApplication>

namespace runtime {

// Every event Qt delivers passes through notify(), the outer event boundary:
// an exception thrown anywhere in the toolkit's handling of an event is
// reported there and ends the program, instead of reaching Qt's event loop,
// which cannot carry it.
class Application : public QApplication {
    Q_OBJECT

public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace runtime
