#pragma once
// Reads a text out to a screen reader while the focus stays where it is.

#include <QString>

class QWidget;

namespace runtime {

// Gives `window` what it needs to announce with: nothing from Qt 6.8 on, which
// asks for announcements itself; before it, a notification that is never seen.
void prepareAnnouncements(QWidget* window);

// Asks a screen reader to read `text` out, on behalf of `source`, politely.
void announce(QWidget* source, const QString& text);

} // namespace runtime
