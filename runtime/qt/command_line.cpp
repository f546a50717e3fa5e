// The command line, read with Qt's parser, before the application object
// exists: no display is needed to answer or to refuse.

#include "command_line.h"

#include <QCommandLineParser>
#include <QStringList>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace runtime {

namespace {

// The options every Qt program takes, which QApplication removes itself.
constexpr std::array qtOptionsWithValue{"platform",      "platformpluginpath",
                                        "platformtheme", "plugin",
                                        "qmljsdebugger", "qwindowgeometry",
                                        "qwindowicon",   "qwindowtitle",
                                        "session",       "display",
                                        "geometry",      "style",
                                        "stylesheet",    "dialogs",
                                        "fontengine"};
constexpr std::array qtFlags{"reverse", "widgetcount"};

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

[[noreturn]] void refuse(const Project& project, const QString& what) {
    const std::string name(project.name);
    std::fprintf(stderr, "%s: %s; '%s --help' says what it takes\n", name.c_str(), qPrintable(what),
                 name.c_str());
    std::exit(2);
}

// What the parser could not take, as the user typed it.
QString fault(const QCommandLineParser& parser, const QStringList& arguments) {
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty()) { // a value missing: Qt's own sentence, as a clause
        QString text = parser.errorText();
        text[0] = text[0].toLower();
        return text.chopped(text.endsWith('.') ? 1 : 0);
    }
    for (const QString& argument : arguments.sliced(1)) {
        QString name = argument.section('=', 0, 0);
        while (name.startsWith('-'))
            name.remove(0, 1);
        if (argument.startsWith('-') && name == unknown.front())
            return "unknown option '" + argument.section('=', 0, 0) + "'";
    }
    return "unknown option '" + unknown.front() + "'";
}

} // namespace

QString readCommandLine(const Project& project, int argc, char** argv) {
    QCommandLineParser parser;
    // Qt's options are words after one dash: -platform is not -p -l -a...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version("version");
    parser.addOptions({help, version});
    for (const char* name : qtOptionsWithValue)
        parser.addOption(QCommandLineOption(name, QString(), "value"));
    for (const char* name : qtFlags)
        parser.addOption(QCommandLineOption(name));

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments))
        refuse(project, fault(parser, arguments));
    if (parser.isSet(help)) {
        std::fputs(qPrintable(usage(project)), stdout);
        std::exit(0);
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", std::string(project.name).c_str(),
                    std::string(project.version).c_str());
        std::exit(0);
    }
    if (!parser.positionalArguments().isEmpty())
        refuse(project, "unexpected argument '" + parser.positionalArguments().front() + "'");
    return parser.value("platform");
}

} // namespace runtime
