#include "command_line.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <string>
#include <string_view>

namespace runtime {

namespace {

QString usage(const Project& project) {
    const QString name = QString::fromUtf8(project.name);
    return "Usage: " + name + " [OPTION]...\n" +
           "Opens the calculator's window: two numbers, four operations.\n"
           "\n"
           "  -h, --help     show this help and exit\n"
           "      --version  show the program's version and exit\n"
           "\n"
           "Qt's own options are taken as every Qt program takes them, such as\n"
           "-platform NAME, -style NAME and -reverse.\n";
}

} // namespace

std::optional<int> answerHelpOrVersion(const Project& project, int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(qPrintable(usage(project)), stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("%s %s\n", std::string(project.name).c_str(),
                        std::string(project.version).c_str());
            return 0;
        }
    }
    return std::nullopt;
}

bool takeWhatQtLeft(const Project& project) {
    const QStringList left = QCoreApplication::arguments().sliced(1);
    if (left.isEmpty())
        return true;
    const QString& first = left.front();
    const QString what = first.startsWith('-') ? "unknown option '" + first.section('=', 0, 0) + "'"
                                               : "unexpected argument '" + first + "'";
    const std::string name(project.name);
    std::fprintf(stderr, "%s: %s; '%s --help' says what it takes\n", name.c_str(), qPrintable(what),
                 name.c_str());
    return false;
}

} // namespace runtime
