// Texts of millions of characters, pasted as a user would: no character is
// lost, keypad keys still append, and operations give the value or Overflow.

#include "support/calculator_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>

namespace {

QString digits(qsizetype length) {
    QString text(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i)
        text[i] = QChar('0' + char(i % 10));
    return text;
}

} // namespace

class HugeInputTest : public QObject {
    Q_OBJECT

private slots:
    void init() { form = &test::openCalculator(); }
    void cleanup() { test::closeCalculator(); }

    void pastedTextKeepsEveryCharacter_data();
    void pastedTextKeepsEveryCharacter();
    void hugeNumberOverflowsAndKeepsTheBoxes();
    void tenMillionBlanksThenFive();

private:
    void paste(const char* name, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        test::box(name)->clear();
        test::box(name)->setFocus();
        QTest::keyClick(test::box(name), Qt::Key_V, Qt::ControlModifier);
    }

    runtime::Form* form = nullptr;
};

void HugeInputTest::pastedTextKeepsEveryCharacter_data() {
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("key"); // empty for the result box, which has no keypad
    QTest::addColumn<int>("megabytes");
    for (int megabytes : {1, 10}) {
        QTest::addRow("Text1, %d MB", megabytes) << "Text1"
                                                 << "Command3" << megabytes;
        QTest::addRow("Text2, %d MB", megabytes) << "Text2"
                                                 << "Command13" << megabytes;
        QTest::addRow("Text3, %d MB", megabytes) << "Text3"
                                                 << "" << megabytes;
    }
}

void HugeInputTest::pastedTextKeepsEveryCharacter() {
    QFETCH(QString, boxName);
    QFETCH(QString, key);
    QFETCH(int, megabytes);
    const QByteArray name = boxName.toLatin1();
    const QString text = digits(qsizetype(megabytes) * 1'000'000);

    paste(name, text);
    QCOMPARE(test::box(name)->text().size(), text.size());
    QVERIFY(test::box(name)->text() == text);
    if (!key.isEmpty()) {
        test::click(key.toLatin1());
        QCOMPARE(test::box(name)->text().size(), text.size() + 1);
        QVERIFY(test::box(name)->text() == text + "3");
    } else {
        test::box("Text1")->setText("6");
        test::box("Text2")->setText("7");
        test::click("times"); // whatever the result box held gives way to the result
        QCOMPARE(test::box(name)->text(), QString("42"));
    }
}

void HugeInputTest::hugeNumberOverflowsAndKeepsTheBoxes() {
    test::ErrorLog log;
    const QString huge = digits(10'000'000).mid(1); // 123...: ten million digits
    paste("Text1", huge);
    test::box("Text2")->setText("2");
    test::box("Text3")->setText("before");
    for (const char* operation : {"plus", "minus", "times", "devises"})
        test::click(operation);
    QCOMPARE(log.errors.size(), std::size_t(4));
    for (const test::ReportedError& error : log.errors)
        QCOMPARE(error.number, 6);
    QVERIFY(test::box("Text1")->text() == huge);
    QCOMPARE(test::box("Text3")->text(), QString("before"));
}

void HugeInputTest::tenMillionBlanksThenFive() {
    test::ErrorLog log;
    paste("Text1", QString(10'000'000, ' ') + "5");
    paste("Text2", QString(1'000'000, '\t') + "0" + QString(1'000'000, '0') + ".5");
    const std::pair<const char*, const char*> results[] = {
        {"plus", "5.5"}, {"minus", "4.5"}, {"times", "2.5"}, {"devises", "10"}};
    for (const auto& [operation, result] : results) {
        test::click(operation);
        QCOMPARE(test::box("Text3")->text(), QString(result));
    }
    QVERIFY(log.errors.empty());
    QCOMPARE(test::box("Text1")->text().size(), 10'000'001);
}

CALCULATOR_WIDGET_TEST_MAIN(HugeInputTest)
#include "huge_input_test.moc"
