// Started where no display can be reached, the program says so in one line and
// ends with status 1, instead of the toolkit's page of advice and an abort; it
// answers --help and --version and refuses what it does not take there too,
// and its manual page names the options --help does.

#include "resources/version.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

// The program with no display of any kind named, as from a text console.
void startedWithoutDisplay(QProcess& program, const QStringList& arguments,
                           const QString& display = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    if (!display.isEmpty())
        environment.insert("DISPLAY", display);
    program.setProcessEnvironment(environment);
    program.start(CALCULATOR_PROGRAM, arguments);
}

const QString refused = "; 'tarquel-calculator --help' says what it takes\n";

} // namespace

class NoDisplayTest : public QObject {
    Q_OBJECT

private slots:
    void saysSoInOneLine_data();
    void saysSoInOneLine();
    void answersItsCommandLine_data();
    void answersItsCommandLine();
    void manualPageNamesTheOptionsHelpDoes();
};

void NoDisplayTest::saysSoInOneLine_data() {
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no DISPLAY") << QString() << "DISPLAY is not set";
    QTest::newRow("nothing listens") << ":1999"
                                     << "cannot open :1999";
}

void NoDisplayTest::saysSoInOneLine() {
    QFETCH(QString, display);
    QFETCH(QString, reason);
    QProcess program;
    startedWithoutDisplay(program, {}, display);
    QVERIFY(program.waitForFinished(10'000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    const QString said = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(said, "tarquel-calculator: no display to show the window on (" + reason + ")\n");
}

void NoDisplayTest::answersItsCommandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output"); // its first line
    QTest::addColumn<QString>("errors");
    const QString version = "tarquel-calculator " CALCULATOR_VERSION;
    const QString usage = "Usage: tarquel-calculator [OPTION]...";
    QTest::newRow("--version") << QStringList{"--version"} << 0 << version << QString();
    QTest::newRow("--help") << QStringList{"--help"} << 0 << usage << QString();
    QTest::newRow("-h") << QStringList{"-h"} << 0 << usage << QString();
    QTest::newRow("after Qt's options")
        << QStringList{"-platform", "offscreen", "-reverse", "--style=fusion", "--version"} << 0
        << version << QString();
    // The offscreen platform needs no display: what Qt leaves is refused.
    QTest::newRow("Qt takes its own options")
        << QStringList{"-platform", "offscreen", "-reverse", "-style", "fusion", "--no-such-option"}
        << 2 << QString() << "tarquel-calculator: unknown option '--no-such-option'" + refused;
    QTest::newRow("and with two dashes")
        << QStringList{"--platform", "offscreen", "--style", "fusion", "-x=1"} << 2 << QString()
        << "tarquel-calculator: unknown option '-x'" + refused;
    QTest::newRow("a Qt option in a form Qt does not take")
        << QStringList{"-platform", "offscreen", "--platform=xcb"} << 2 << QString()
        << "tarquel-calculator: unknown option '--platform'" + refused;
    QTest::newRow("an argument") << QStringList{"-platform", "offscreen", "12"} << 2 << QString()
                                 << "tarquel-calculator: unexpected argument '12'" + refused;
    // Without a platform that needs no display, Qt cannot start to say what it takes.
    QTest::newRow("an unknown option with no display")
        << QStringList{"--platform=offscreen"} << 1 << QString()
        << "tarquel-calculator: no display to show the window on (DISPLAY is not set)\n";
}

void NoDisplayTest::answersItsCommandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, errors);
    QProcess program;
    startedWithoutDisplay(program, arguments);
    QVERIFY(program.waitForFinished(10'000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()).section('\n', 0, 0), output);
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()), errors);
}

void NoDisplayTest::manualPageNamesTheOptionsHelpDoes() {
    QProcess program;
    startedWithoutDisplay(program, {"--help"});
    QVERIFY(program.waitForFinished(10'000));
    const QString help = QString::fromUtf8(program.readAllStandardOutput());
    QFile file(MANUAL_PAGE);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll()).replace("\\-", "-");
    const QString options = page.section(".SH OPTIONS", 1).section(".SH ", 0, 0);
    QVERIFY(page.section(".SH SYNOPSIS", 1).section(".SH ", 0, 0).contains("[ OPTION ]..."));
    QVERIFY(help.contains("[OPTION]..."));
    // Each option line of the help: "  -h, --help     what it does".
    static const QRegularExpression line("^ +(-[^ ].*?)  +(.+)$",
                                         QRegularExpression::MultilineOption);
    int named = 0;
    for (const QRegularExpressionMatch& option : line.globalMatch(help)) {
        for (const QString& name : option.captured(1).split(", "))
            QVERIFY2(options.contains(name), qPrintable(name + " is not in the manual page"));
        QVERIFY2(options.contains(option.captured(2)), qPrintable(option.captured(2)));
        ++named;
    }
    QCOMPARE(named, 2);
}

QTEST_GUILESS_MAIN(NoDisplayTest)
#include "no_display_test.moc"
