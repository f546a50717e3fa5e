#include "calculator_user.h"

#include "wait.h"

#include "runtime/twips.h"
#include "window/form1.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace e2e {

namespace {

// The X server runs at 96 dpi, so twips become pixels as in the program.
const runtime::TwipsScale scale{96.0};

const runtime::Control* control(const char* name) {
    for (const runtime::Control& c : window::form1Description().controls)
        if (c.name == name)
            return &c;
    return nullptr;
}

int field(const QString& text, const QString& label) {
    const QRegularExpression pattern(QRegularExpression::escape(label) + R"(:\s*(-?\d+))");
    return pattern.match(text).captured(1).toInt();
}

} // namespace

CalculatorUser::CalculatorUser(const XSession& session, QString program, QString grabTool)
    : session_(session), program_(std::move(program)), grabTool_(std::move(grabTool)) {}

CalculatorUser::~CalculatorUser() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

bool CalculatorUser::start() {
    process_.setProcessEnvironment(session_.environment());
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    process_.start(program_, {});
    if (!process_.waitForStarted(5000)) {
        error_ = "could not start " + program_ + ": " + process_.errorString();
        return false;
    }
    const bool shown = waitUntil(
        [&] {
            window_ = xdotool({"search", "--onlyvisible", "--pid", QString::number(pid()), "--name",
                               "^Calculator - Tarquel$"})
                          .section('\n', 0, 0);
            return !window_.isEmpty() && !frameRect().isEmpty();
        },
        15'000);
    if (!shown)
        error_ = "the calculator window did not show";
    return shown;
}

QString CalculatorUser::xdotool(const QStringList& arguments) const {
    return session_.run("xdotool", arguments).trimmed();
}

QRect CalculatorUser::windowRect() const { return rectOf(window_); }

QRect CalculatorUser::rectOf(const QString& window) const {
    const QString info = session_.run("xwininfo", {"-id", window});
    return QRect(field(info, "Absolute upper-left X"), field(info, "Absolute upper-left Y"),
                 field(info, "Width"), field(info, "Height"));
}

QRect CalculatorUser::clientRect() const {
    const QRect window = windowRect();
    const int height = scale.toPixels(window::form1Description().clientHeight);
    return QRect(window.left(), window.bottom() + 1 - height, window.width(), height);
}

QRect CalculatorUser::frameRect() const {
    // left, right, top, bottom
    const QStringList extents =
        property("_NET_FRAME_EXTENTS").section('=', 1).split(',', Qt::SkipEmptyParts);
    if (extents.size() != 4)
        return {};
    return windowRect().adjusted(-extents[0].toInt(), -extents[2].toInt(), extents[1].toInt(),
                                 extents[3].toInt());
}

QString CalculatorUser::property(const QString& name) const {
    return session_.run("xprop", {"-id", window_, name}).trimmed();
}

void CalculatorUser::click(QPoint onScreen) const {
    xdotool({"mousemove", "--sync", QString::number(onScreen.x()), QString::number(onScreen.y()),
             "click", "1"});
}

void CalculatorUser::click(const char* name, std::optional<int> leftTwips) const {
    const runtime::Control* c = control(name);
    if (!c)
        qFatal("no control named %s", name);
    const QPoint centre(scale.toPixels(leftTwips.value_or(c->left) + c->width / 2),
                        scale.toPixels(c->top + c->height / 2));
    click(clientRect().topLeft() + centre);
}

void CalculatorUser::type(const QString& text) const { xdotool({"type", "--delay", "20", text}); }

void CalculatorUser::key(const QString& keys) const {
    xdotool(QStringList{"key", "--delay", "20"} + keys.split(' '));
}

QRect CalculatorUser::openFileMenu() const {
    const QRect window = windowRect();
    const int menuBarHeight = clientRect().top() - window.top();
    // "File" is the bar's first and only menu: its title starts at the left.
    click(window.topLeft() + QPoint(menuBarHeight, menuBarHeight / 2));
    QRect popup;
    waitUntil([&] {
        // The menu is the program's one other window that the window manager leaves alone.
        for (const QString& id : otherWindows())
            if (session_.run("xwininfo", {"-id", id}).contains("Override Redirect State: yes")) {
                popup = rectOf(id);
                return true;
            }
        return false;
    });
    return popup;
}

bool CalculatorUser::chooseFromFileMenu(int item) const {
    const QRect popup = openFileMenu();
    if (popup.isEmpty())
        return false;
    // Two items of one height: the centre of the first or second half.
    click(QPoint(popup.center().x(), popup.top() + popup.height() * (1 + 2 * item) / 4));
    return waitUntil([&] { return otherWindows().isEmpty(); });
}

std::optional<QString> CalculatorUser::clipboard() const {
    int exitCode = 0;
    const QString text = session_.run("xclip", {"-selection", "clipboard", "-o"}, &exitCode, 3000);
    if (exitCode != 0)
        return std::nullopt;
    return text;
}

std::optional<QString> CalculatorUser::readBox(const char* box) {
    // A mark of its own at the end tells this copy from any earlier one.
    const QString mark = QString("#%1").arg(++reads_);
    click(box);
    key("End");
    type(mark);
    key("ctrl+a ctrl+c");
    std::optional<QString> copied;
    const bool seen = waitUntil([&] {
        copied = clipboard();
        return copied && copied->endsWith(mark);
    });
    key("End" + QString(" BackSpace").repeated(int(mark.size())));
    if (!seen)
        return std::nullopt;
    return copied->chopped(mark.size());
}

QStringList CalculatorUser::otherWindows() const {
    QStringList others = xdotool({"search", "--onlyvisible", "--pid", QString::number(pid())})
                             .split('\n', Qt::SkipEmptyParts);
    others.removeAll(window_);
    return others;
}

QString CalculatorUser::focusedWindow() const { return xdotool({"getwindowfocus"}); }

QImage CalculatorUser::screenshot(const QRect& area) const {
    QTemporaryFile file(QDir::tempPath() + "/calculator-XXXXXX.png");
    if (!file.open() || !saveScreenshot(area, file.fileName()))
        return {};
    return QImage(file.fileName());
}

bool CalculatorUser::saveScreenshot(const QRect& area, const QString& path) const {
    int exitCode = -1;
    session_.run(grabTool_,
                 {path, QString::number(area.x()), QString::number(area.y()),
                  QString::number(area.width()), QString::number(area.height())},
                 &exitCode);
    return exitCode == 0;
}

std::optional<int> CalculatorUser::exitStatus(int timeoutMs) {
    if (!process_.waitForFinished(timeoutMs) && process_.state() != QProcess::NotRunning)
        return std::nullopt;
    if (process_.exitStatus() != QProcess::NormalExit)
        return -1;
    return process_.exitCode();
}

} // namespace e2e
