// Started where no display can be reached, the program says so in one line and
// ends with status 1, instead of the toolkit's page of advice and an abort.

#include <QProcess>
#include <QTest>

class NoDisplayTest : public QObject {
    Q_OBJECT

private slots:
    void saysSoInOneLine_data();
    void saysSoInOneLine();
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
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    if (!display.isEmpty())
        environment.insert("DISPLAY", display);

    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(CALCULATOR_PROGRAM, {});
    QVERIFY(program.waitForFinished(10'000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    const QString said = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(said, "tarquel-calculator: no display to show the window on (" + reason + ")\n");
}

QTEST_GUILESS_MAIN(NoDisplayTest)
#include "no_display_test.moc"
