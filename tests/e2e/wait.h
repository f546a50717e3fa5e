#pragma once

#include <QDeadlineTimer>
#include <QThread>

namespace e2e {

// Polls until the condition holds or the time is up; returns whether it held.
template <typename Condition> bool waitUntil(Condition condition, int timeoutMs = 5000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (condition())
            return true;
        QThread::msleep(25);
    }
    return condition();
}

} // namespace e2e
