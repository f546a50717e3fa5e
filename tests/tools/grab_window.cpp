// Saves a PNG of an X window (by id) or of the whole screen, as the X server shows it.
// Usage: grab-window OUTPUT.png [WINDOW-ID]

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: grab-window OUTPUT.png [WINDOW-ID]\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    const WId window = argc > 2 ? QString(argv[2]).toULongLong(nullptr, 0) : 0;
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(window);
    if (picture.isNull() || !picture.save(argv[1], "PNG")) {
        std::fprintf(stderr, "grab-window: could not grab or save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
