#include "x_session.h"

#include "wait.h"

#include <QDeadlineTimer>

namespace e2e {

namespace {

void stop(std::unique_ptr<QProcess>& process) {
    if (!process)
        return;
    process->terminate();
    if (!process->waitForFinished(3000)) {
        process->kill();
        process->waitForFinished(3000);
    }
    process.reset();
}

} // namespace

XSession::XSession() {
    if (startServer() && startWindowManager())
        return;
    stop(windowManager_);
    stop(server_);
    display_.clear();
}

XSession::~XSession() {
    stop(windowManager_);
    stop(server_);
}

bool XSession::startServer() {
    server_ = std::make_unique<QProcess>();
    server_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The server picks a free display itself and writes its number once it
    // accepts clients: no race with another test starting a server.
    server_->start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                            "-dpi", "96"});
    if (!server_->waitForStarted(5000)) {
        error_ = "Xvfb did not start: " + server_->errorString();
        return false;
    }
    QDeadlineTimer deadline(10'000);
    while (!server_->canReadLine() && server_->waitForReadyRead(int(deadline.remainingTime())))
        ;
    const QString number = QString::fromLatin1(server_->readLine()).trimmed();
    if (number.isEmpty()) {
        error_ = "Xvfb named no display";
        return false;
    }
    display_ = ":" + number;
    return true;
}

bool XSession::startWindowManager() {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (startWindowManagerOnce())
            return true;
        stop(windowManager_);
    }
    return false;
}

bool XSession::startWindowManagerOnce() {
    windowManager_ = std::make_unique<QProcess>();
    windowManager_->setProcessEnvironment(environment());
    windowManager_->setProcessChannelMode(QProcess::MergedChannels);
    windowManager_->start("openbox", {"--sm-disable"});
    if (!windowManager_->waitForStarted(5000)) {
        error_ = "openbox did not start: " + windowManager_->errorString();
        return false;
    }
    // A window manager that follows the desktop conventions names itself on the root window.
    const auto namedOnRoot = [&] {
        return run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
    };
    const bool managing = waitUntil(namedOnRoot, 10'000);
    if (!managing)
        error_ = "openbox did not take over the display (" +
                 (windowManager_->state() == QProcess::NotRunning
                      ? "it ended with status " + QString::number(windowManager_->exitCode())
                      : QString("still running after 10 s")) +
                 "): " + QString::fromLocal8Bit(windowManager_->readAll()).trimmed();
    return managing;
}

QProcessEnvironment XSession::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display_);
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("QT_SCALE_FACTOR");
    environment.insert("XDG_RUNTIME_DIR", runtimeDir_.path());
    environment.insert("LC_ALL", "C.UTF-8");
    return environment;
}

QString XSession::run(const QString& program, const QStringList& arguments, int* exitCode,
                      int timeoutMs) const {
    QProcess process;
    process.setProcessEnvironment(environment());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        if (exitCode)
            *exitCode = -1;
        return {};
    }
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace e2e
