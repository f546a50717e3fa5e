// Property access that fails: an unknown object, or a property its kind lacks.
// Each is a run-time error; the steps before it stay done, the steps after it
// never run, the error is reported and the program ends with status 1.

#include "support/calculator_fixture.h"

#include "runtime/numeric/error.h"

#include <QLineEdit>

#include <functional>

namespace {

const runtime::FormDescription& faultForm();
runtime::Form& form() { return runtime::formInstance(faultForm()); }

// The access under test, set by each row before the click.
std::function<void()> faultyAccess;

void go_Click() {
    form()["before"].setText("done");
    faultyAccess();
    form()["after"].setText("done"); // never reached
}

constexpr runtime::Control controls[] = {
    {0, "go", runtime::ControlKind::Button, "Go", 120, 120, 1200, 375},
    {1, "before", runtime::ControlKind::TextBox, "", 120, 600, 1200, 375},
    {2, "after", runtime::ControlKind::TextBox, "", 120, 1080, 1200, 375},
};
constexpr runtime::Line lines[] = {{"rule", 0, 1560, 2000, 1560, runtime::LineStyle::Solid}};
constexpr runtime::MenuEntry menu[] = {{"menu", "Menu", 0}, {"item", "Item", 1}};
constexpr runtime::Handler handlers[] = {{"go_Click", go_Click}};

const runtime::FormDescription& faultForm() {
    static const runtime::FormDescription description =
        test::probeForm("Faults", controls, handlers, lines, menu);
    return description;
}

} // namespace

Q_DECLARE_METATYPE(std::function<void()>)

class PropertyFaultsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        runtime::unloadForms();
        runtime::resetProgramState();
    }
    void failedAccessStopsTheHandler_data();
    void failedAccessStopsTheHandler();
};

void PropertyFaultsTest::failedAccessStopsTheHandler_data() {
    QTest::addColumn<std::function<void()>>("access");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");

    using F = std::function<void()>;
    QTest::newRow("unknown object")
        << F([] { form()["Text9"].setText("x"); }) << int(runtime::NoSuchObject)
        << "Faults has no object named 'Text9'";
    QTest::newRow("names are exact")
        << F([] { form()["GO"].setLeft(1); }) << int(runtime::NoSuchObject)
        << "Faults has no object named 'GO'";
    QTest::newRow("button has no text")
        << F([] { (void)form()["go"].text(); }) << int(runtime::NoSuchProperty)
        << "Object 'go' has no property Text";
    QTest::newRow("menu item has no left")
        << F([] { form()["item"].setLeft(10); }) << int(runtime::NoSuchProperty)
        << "Object 'item' has no property Left";
    QTest::newRow("menu has no width")
        << F([] { form()["menu"].setWidth(10); }) << int(runtime::NoSuchProperty)
        << "Object 'menu' has no property Width";
    QTest::newRow("line is never enabled")
        << F([] { form()["rule"].setEnabled(false); }) << int(runtime::NoSuchProperty)
        << "Object 'rule' has no property Enabled";
    QTest::newRow("line has no text")
        << F([] { form()["rule"].setText("x"); }) << int(runtime::NoSuchProperty)
        << "Object 'rule' has no property Text";
}

void PropertyFaultsTest::failedAccessStopsTheHandler() {
    QFETCH(std::function<void()>, access);
    QFETCH(int, number);
    QFETCH(QString, description);

    test::ErrorLog log;
    faultyAccess = access;
    runtime::resetProgramState();
    runtime::nativeWindow(form())->show();
    QTest::mouseClick(test::find(form(), "go"), Qt::LeftButton);

    QCOMPARE(test::find<QLineEdit>(form(), "before")->text(), QString("done"));
    QCOMPARE(test::find<QLineEdit>(form(), "after")->text(), QString());
    QCOMPARE(log.errors.size(), std::size_t(1));
    QCOMPARE(log.errors[0].number, number);
    QCOMPARE(QString::fromStdString(log.errors[0].description), description);
    QCOMPARE(runtime::exitStatus(), std::optional<int>(1));
}

CALCULATOR_WIDGET_TEST_MAIN(PropertyFaultsTest)
#include "property_faults_test.moc"
