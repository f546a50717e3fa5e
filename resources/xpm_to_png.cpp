// Build tool: writes an icon image as PNG, for desktops' icon themes.
// Usage: xpm-to-png INPUT.xpm OUTPUT.png

#include <QImage>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: xpm-to-png INPUT.xpm OUTPUT.png\n");
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "xpm-to-png: cannot turn %s into %s\n", argv[1], argv[2]);
        return 1;
    }
    return 0;
}
