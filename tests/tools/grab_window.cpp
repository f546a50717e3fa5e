// Saves a PNG of what the X server shows: the whole screen, or a part of it.
// Usage: grab-window OUTPUT.png [X Y WIDTH HEIGHT]

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2 && argc != 6) {
        std::fprintf(stderr, "usage: grab-window OUTPUT.png [X Y WIDTH HEIGHT]\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    auto number = [&](int i) { return argc == 6 ? std::atoi(argv[i]) : -1; };
    const int x = argc == 6 ? number(2) : 0, y = argc == 6 ? number(3) : 0;
    const QPixmap picture =
        QGuiApplication::primaryScreen()->grabWindow(0, x, y, number(4), number(5));
    if (picture.isNull() || !picture.save(argv[1], "PNG")) {
        std::fprintf(stderr, "grab-window: could not grab or save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
