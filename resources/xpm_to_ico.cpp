// Builds the program's Windows icon from the window's own XPM images: one
// 16-colour image per file, each at its own size, as an .ico file.
// Runs on the build machine: xpm-to-ico OUT.ico IMAGE.xpm...

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> palette; // 0x00RRGGBB; entry 0 stands for "None"
    std::vector<int> pixels;            // palette indexes, top row first
    std::vector<bool> transparent;
};

// The quoted strings of an XPM file, in order: header, colours, rows.
std::vector<std::string> quotedStrings(const std::string& text) {
    std::vector<std::string> strings;
    for (std::size_t open = text.find('"'); open != std::string::npos;
         open = text.find('"', open + 1)) {
        const std::size_t close = text.find('"', open + 1);
        strings.push_back(text.substr(open + 1, close - open - 1));
        open = close;
    }
    return strings;
}

Image readXpm(const char* path) {
    std::ifstream file(path);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    const std::vector<std::string> strings = quotedStrings(text);
    Image image;
    int colours = 0, charsPerPixel = 0;
    std::istringstream(strings.at(0)) >> image.width >> image.height >> colours >> charsPerPixel;
    if (colours > 16 || charsPerPixel != 1)
        throw std::runtime_error(std::string(path) + ": not a 16-colour image");
    std::map<char, int> index;
    image.palette.push_back(0);
    for (int c = 1; c <= colours; ++c) {
        const std::string& entry = strings.at(std::size_t(c));
        const std::size_t hash = entry.find('#');
        if (hash == std::string::npos) {
            index[entry[0]] = 0;
            continue;
        }
        index[entry[0]] = int(image.palette.size());
        image.palette.push_back(std::uint32_t(std::stoul(entry.substr(hash + 1), nullptr, 16)));
    }
    if (image.palette.size() > 16)
        throw std::runtime_error(std::string(path) + ": more than 16 colours besides None");
    for (int row = 0; row < image.height; ++row)
        for (char pixel : strings.at(std::size_t(colours + 1 + row))) {
            image.pixels.push_back(index.at(pixel));
            image.transparent.push_back(index.at(pixel) == 0);
        }
    return image;
}

void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(char((value >> (8 * i)) & 0xFF));
}

// A 4-bit device-independent bitmap and its 1-bit mask, bottom row first.
std::string iconImage(const Image& image) {
    const int colourRow = (image.width * 4 + 31) / 32 * 4;
    const int maskRow = (image.width + 31) / 32 * 4;
    std::string out;
    put(out, 40, 4);
    put(out, std::uint32_t(image.width), 4);
    put(out, std::uint32_t(image.height * 2), 4); // colour and mask together
    put(out, 1, 2);
    put(out, 4, 2);
    put(out, 0, 4);
    put(out, std::uint32_t((colourRow + maskRow) * image.height), 4);
    put(out, 0, 16);
    for (int i = 0; i < 16; ++i)
        put(out, i < int(image.palette.size()) ? image.palette[std::size_t(i)] : 0, 4);
    for (int row = image.height - 1; row >= 0; --row) {
        std::string bits(std::size_t(colourRow), '\0');
        for (int x = 0; x < image.width; ++x)
            bits[std::size_t(x / 2)] |=
                char(image.pixels[std::size_t(row * image.width + x)] << (x % 2 ? 0 : 4));
        out += bits;
    }
    for (int row = image.height - 1; row >= 0; --row) {
        std::string bits(std::size_t(maskRow), '\0');
        for (int x = 0; x < image.width; ++x)
            if (image.transparent[std::size_t(row * image.width + x)])
                bits[std::size_t(x / 8)] |= char(0x80 >> (x % 8));
        out += bits;
    }
    return out;
}

} // namespace

int main(int argc, char** argv) try {
    if (argc < 3) {
        std::fprintf(stderr, "usage: xpm-to-ico OUT.ico IMAGE.xpm...\n");
        return 2;
    }
    std::vector<std::string> images;
    std::vector<Image> sources;
    for (int i = 2; i < argc; ++i) {
        sources.push_back(readXpm(argv[i]));
        images.push_back(iconImage(sources.back()));
    }
    std::string out;
    put(out, 0, 2);
    put(out, 1, 2); // an icon
    put(out, std::uint32_t(images.size()), 2);
    std::uint32_t offset = std::uint32_t(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        put(out, std::uint32_t(sources[i].width % 256), 1);
        put(out, std::uint32_t(sources[i].height % 256), 1);
        put(out, 16, 1); // colours
        put(out, 0, 1);
        put(out, 1, 2); // planes
        put(out, 4, 2); // bits per pixel
        put(out, std::uint32_t(images[i].size()), 4);
        put(out, offset, 4);
        offset += std::uint32_t(images[i].size());
    }
    for (const std::string& image : images)
        out += image;
    std::ofstream(argv[1], std::ios::binary) << out;
    return 0;
} catch (const std::exception& error) {
    std::fprintf(stderr, "xpm-to-ico: %s\n", error.what());
    return 1;
}
