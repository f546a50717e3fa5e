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
    QLineEdit* box(const char* name) { return test::find<QLineEdit>(*form, name); }
    void paste(const char* name, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        box(name)->clear();
        box(name)->setFocus();
        QTest::keyClick(box(name), Qt::Key_V, Qt::ControlModifier);
    }
    void click(const char* name) { QTest::mouseClick(test::find(*form, name), Qt::LeftButton); }

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
    QCOMPARE(box(name)->text().size(), text.size());
    QVERIFY(box(name)->text() == text);
    if (!key.isEmpty()) {
        click(key.toLatin1());
        QCOMPARE(box(name)->text().size(), text.size() + 1);
        QVERIFY(box(name)->text() == text + "3");
    } else {
        box("Text1")->setText("6");
        box("Text2")->setText("7");
        click("times"); // whatever the result box held gives way to the result
        QCOMPARE(box(name)->text(), QString("42"));
    }
}

void HugeInputTest::hugeNumberOverflowsAndKeepsTheBoxes() {
    test::ErrorLog log;
    const QString huge = digits(10'000'000).mid(1); // 123...: ten million digits
    paste("Text1", huge);
    box("Text2")->setText("2");
    box("Text3")->setText("before");
    for (const char* operation : {"plus", "minus", "times", "devises"})
        click(operation);
    QCOMPARE(log.errors.size(), std::size_t(4));
    for (const test::ReportedError& error : log.errors)
        QCOMPARE(error.number, 6);
    QVERIFY(box("Text1")->text() == huge);
    QCOMPARE(box("Text3")->text(), QString("before"));
}

void HugeInputTest::tenMillionBlanksThenFive() {
    test::ErrorLog log;
    paste("Text1", QString(10'000'000, ' ') + "5");
    paste("Text2", QString(1'000'000, '\t') + "0" + QString(1'000'000, '0') + ".5");
    const std::pair<const char*, const char*> results[] = {
        {"plus", "5.5"}, {"minus", "4.5"}, {"times", "2.5"}, {"devises", "10"}};
    for (const auto& [operation, result] : results) {
        click(operation);
        QCOMPARE(box("Text3")->text(), QString(result));
    }
    QVERIFY(log.errors.empty());
    QCOMPARE(box("Text1")->text().size(), 10'000'001);
}

CALCULATOR_WIDGET_TEST_MAIN(HugeInputTest)
#include "huge_input_test.moc"
