#pragma once
// Drives the real calculator as a person at the desk does: mouse clicks at the
// controls' places, typing, the File menu, and reading boxes back through the
// clipboard. Positions come from the window description and the window's real
// client origin on screen.

#include "x_session.h"

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>

#include <optional>

namespace e2e {

class CalculatorUser {
public:
    CalculatorUser(const XSession& session, QString program, QString grabTool);
    ~CalculatorUser(); // ends the program if it still runs

    bool start(); // as ./run starts it: no arguments
    QString error() const { return error_; }
    QString windowId() const { return window_; }
    qint64 pid() const { return process_.processId(); }

    // The program's window on screen: its client area (below the menu bar),
    // the whole X window (menu bar included) and the frame around it.
    QRect windowRect() const;
    QRect clientRect() const;
    QRect frameRect() const;
    QRect rectOf(const QString& window) const;   // any X window, as xwininfo gives it
    QString property(const QString& name) const; // as xprop prints it

    void click(QPoint onScreen) const;
    // A control's centre, from its place in twips; `leftTwips` where it has moved.
    void click(const char* control, std::optional<int> leftTwips = {}) const;
    void type(const QString& text) const;
    void key(const QString& keys) const;

    // File > item, with the mouse. Returns the popup's place, empty if it never showed.
    QRect openFileMenu() const;
    bool chooseFromFileMenu(int item) const; // 0: New, 1: View Keyboard

    // Clicks into a box and copies its whole text; the box is left as it was.
    std::optional<QString> readBox(const char* box);
    std::optional<QString> clipboard() const;

    // Other windows of the program now on screen (the error message, say).
    QStringList otherWindows() const;
    QString focusedWindow() const;

    QImage screenshot(const QRect& area) const;
    bool saveScreenshot(const QRect& area, const QString& path) const;

    // Whether the program still runs; waiting a moment lets a death be noticed.
    bool isRunning() {
        return !process_.waitForFinished(500) && process_.state() == QProcess::Running;
    }
    // The exit status once the program has ended by itself, or nothing in time.
    std::optional<int> exitStatus(int timeoutMs = 5000);

private:
    QString xdotool(const QStringList& arguments) const;

    const XSession& session_;
    QString program_, grabTool_;
    mutable QProcess process_;
    QString window_;
    QString error_;
    int reads_ = 0;
};

} // namespace e2e
