#pragma once
// A private X session for tests of the real program: Xvfb on a display it
// picks itself, with openbox managing it, so windows have frames as on a desktop. Everything
// it starts is stopped when it goes, also when a test fails.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace e2e {

class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool isRunning() const { return !display_.isEmpty(); }
    QString display() const { return display_; }
    QString error() const { return error_; }

    // The environment a program started on this display sees.
    QProcessEnvironment environment() const;

    // Runs a command on this display to its end; returns its standard output.
    QString run(const QString& program, const QStringList& arguments, int* exitCode = nullptr,
                int timeoutMs = 10'000) const;

private:
    bool startServer();
    bool startWindowManager();
    bool startWindowManagerOnce();

    std::unique_ptr<QProcess> server_, windowManager_;
    QTemporaryDir runtimeDir_;
    QString display_;
    QString error_;
};

} // namespace e2e
