#include "x_session.h"

#include "wait.h"

#include <QFile>

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
    for (int number = 90; number < 190 && display_.isEmpty(); ++number) {
        if (QFile::exists(QString("/tmp/.X%1-lock").arg(number)) ||
            QFile::exists(QString("/tmp/.X11-unix/X%1").arg(number)))
            continue;
        if (startServer(number))
            display_ = QString(":%1").arg(number);
    }
    if (display_.isEmpty()) {
        error_ = "no display could be started: " + error_;
        return;
    }
    if (!startWindowManager()) {
        stop(windowManager_);
        stop(server_);
        display_.clear();
    }
}

XSession::~XSession() {
    stop(windowManager_);
    stop(server_);
}

bool XSession::startServer(int number) {
    server_ = std::make_unique<QProcess>();
    server_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server_->setStandardOutputFile(QProcess::nullDevice());
    server_->start("Xvfb", {QString(":%1").arg(number), "-screen", "0", "1024x768x24", "-nolisten",
                            "tcp", "-dpi", "96"});
    if (!server_->waitForStarted(5000)) {
        error_ = "Xvfb did not start: " + server_->errorString();
        server_.reset();
        return false;
    }
    // Ready once a client gets an answer; the socket alone may come earlier.
    display_ = QString(":%1").arg(number);
    int answered = -1;
    waitUntil(
        [&] {
            run("xprop", {"-root", "-notype", "_NET_SUPPORTED"}, &answered, 2000);
            return answered == 0 || server_->state() != QProcess::Running;
        },
        10'000);
    display_.clear();
    if (answered != 0 || server_->state() != QProcess::Running) {
        error_ = QString("Xvfb gave up on display :%1").arg(number);
        stop(server_);
        return false;
    }
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
    const bool managing = waitUntil(
        [&] {
            return run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
        },
        10'000);
    if (!managing)
        error_ = "openbox did not take over the display: " +
                 QString::fromLocal8Bit(windowManager_->readAll()).trimmed();
    return managing;
}

QProcessEnvironment XSession::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display_);
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("QT_SCALE_FACTOR");
    environment.insert("XDG_RUNTIME_DIR", runtimeDir_.path());
    environment.insert("LC_ALL", "C");
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
