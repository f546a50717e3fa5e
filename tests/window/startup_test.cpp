// Start-up and the end of the program: Load before the first showing, Exit and
// the frame's close ending with status 0, uncaught errors reported and fatal,
// and handler tables checked against their forms.

#include "support/calculator_fixture.h"

#include "runtime/numeric/error.h"
#include "runtime/qt/form_builder.h"

#include "runtime/startup.h"

#include <QTimer>

#include <functional>
#include <new>
#include <stdexcept>

namespace {

// Runs the real start-up of a project while `whileRunning` drives the window.
int runProject(const runtime::Project& project, std::function<void()> whileRunning) {
    runtime::resetProgramState();
    QTimer drive, watchdog; // stopped with this call, even when the loop never ran
    drive.setSingleShot(true);
    QObject::connect(&drive, &QTimer::timeout, whileRunning);
    drive.start(0);
    // Never wait for ever on a window nothing closes.
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { runtime::endProgram(99); });
    watchdog.start(20'000);
    const int status = runtime::run(project);
    runtime::unloadForms();
    return status;
}

// A form of its own for what Form1 cannot do: fail in Load, or in a click.
bool failInLoad = false;
int laterHandlerRuns = 0;
std::function<void()> fault; // what the button "fail" does
const runtime::FormDescription& probeForm();
void Form_Load() {
    if (failInLoad)
        runtime::formInstance(probeForm())["nothing"].setText("x");
}
void fail_Click() { fault(); }
void later_Click() { ++laterHandlerRuns; }

constexpr runtime::Control probeControls[] = {
    {0, "fail", runtime::ControlKind::Button, "Fail", 120, 120, 1200, 375},
    {1, "later", runtime::ControlKind::Button, "Later", 120, 600, 1200, 375},
};
constexpr runtime::Handler probeHandlers[] = {
    {"Form_Load", Form_Load}, {"fail_Click", fail_Click}, {"later_Click", later_Click}};

const runtime::FormDescription& probeForm() {
    static const runtime::FormDescription form =
        test::probeForm("Probe", probeControls, probeHandlers);
    return form;
}
const runtime::Project probeProject{"probe", "0", "", probeForm()};

void noop() {}

// One thing wrong each, in a probe form's description.
constexpr runtime::Control twoNamedFail[] = {
    probeControls[0], {1, "fail", runtime::ControlKind::Button, "Again", 120, 600, 1200, 375}};
constexpr runtime::Line lineNamedLater[] = {{"later", 0, 60, 600, 60, runtime::LineStyle::Solid}};
constexpr runtime::Line slantingLine[] = {{"slant", 0, 0, 600, 600, runtime::LineStyle::Solid}};
constexpr runtime::MenuEntry itemUnderNoMenu[] = {{"item", "Item", 1}, {"menu", "Menu", 0}};
constexpr runtime::AccessibleText nameOfNoObject[] = {{"ghost", "Nobody"}};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void loadNarrowsTheWindowBeforeItIsFirstShown();
    void exitEndsWithStatusZeroAndNothingRunsAfter();
    void closingTheWindowEndsWithStatusZero();
    void everyFaultIsReportedAndEndsTheProgram_data();
    void everyFaultIsReportedAndEndsTheProgram();
    void errorInLoadEndsBeforeTheWindowShows();
    void handlerTableIsCheckedAgainstTheForm_data();
    void handlerTableIsCheckedAgainstTheForm();
    void descriptionAtFaultIsRefusedBeforeItIsBuilt_data();
    void descriptionAtFaultIsRefusedBeforeItIsBuilt();
};

// Records the client width at the first Show event of the Form1 window.
class FirstShow : public QObject {
public:
    int clientWidthPixels = -1;
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && object->objectName() == "Form1" &&
            clientWidthPixels < 0)
            clientWidthPixels = object->findChild<QWidget*>("client")->width();
        return false;
    }
};

void StartupTest::loadNarrowsTheWindowBeforeItIsFirstShown() {
    test::ErrorLog log;
    FirstShow firstShow;
    qApp->installEventFilter(&firstShow);
    const int status = runProject(window::project(), [] {
        QVERIFY(runtime::nativeWindow(window::Form1())->isVisible());
        QTest::mouseClick(test::find(window::Form1(), "end1"), Qt::LeftButton);
    });
    qApp->removeEventFilter(&firstShow);
    QCOMPARE(status, 0);
    QCOMPARE(firstShow.clientWidthPixels, 255);
    QVERIFY(log.errors.empty());
}

void StartupTest::exitEndsWithStatusZeroAndNothingRunsAfter() {
    test::ErrorLog log;
    laterHandlerRuns = 0;
    failInLoad = false;
    const int status = runProject(probeProject, [] {
        // Exit from the keyboard, as the space bar on the focused button gives it.
        QTest::mouseClick(test::find(runtime::formInstance(probeForm()), "later"), Qt::LeftButton);
        runtime::dispatch({"end1_Click", runtime::end});
        runtime::dispatch({"later_Click", later_Click});
    });
    QCOMPARE(status, 0);
    QCOMPARE(laterHandlerRuns, 1);
    QCOMPARE(runtime::exitStatus(), std::optional<int>(0));
    QVERIFY(log.errors.empty());
}

void StartupTest::closingTheWindowEndsWithStatusZero() {
    test::ErrorLog log;
    window::Form1()["Text1"]; // built before start-up: start-up must show this one
    int shownForms = 0;
    bool shownIsForm1 = false;
    const int status = runProject(window::project(), [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            shownForms += widget->objectName() == "Form1" && widget->isVisible();
        shownIsForm1 = runtime::nativeWindow(window::Form1())->isVisible();
        window::Form1()["Text1"].setText("unfinished input");
        runtime::nativeWindow(window::Form1())->close();
    });
    QCOMPARE(shownForms, 1);
    QVERIFY(shownIsForm1);
    QCOMPARE(status, 0);
    QVERIFY(log.errors.empty());
}

Q_DECLARE_METATYPE(std::function<void()>)

void StartupTest::everyFaultIsReportedAndEndsTheProgram_data() {
    using F = std::function<void()>;
    QTest::addColumn<F>("fault");
    QTest::addColumn<bool>("inHandler"); // else thrown by the toolkit's handling of an event
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");
    QTest::newRow("failed property access")
        << F([] { runtime::formInstance(probeForm())["fail"].setText("a button has no text"); })
        << true << int(runtime::NoSuchProperty) << "Object 'fail' has no property Text";
    QTest::newRow("standard exception")
        << F([] { throw std::out_of_range("index 3 of 2"); }) << true << int(runtime::InternalError)
        << "Internal error in fail_Click: index 3 of 2. The calculator must close; please "
           "report this.";
    QTest::newRow("exception of no standard type")
        << F([] { throw 42; }) << true << int(runtime::InternalError)
        << "Internal error in fail_Click: an exception of unknown type. The calculator must "
           "close; please report this.";
    QTest::newRow("out of memory") << F([] { throw std::bad_alloc(); }) << true
                                   << int(runtime::OutOfMemory) << "Out of memory";
    QTest::newRow("outside any handler")
        << F([] { throw std::runtime_error("broken"); }) << false << int(runtime::InternalError)
        << "Internal error in the handling of an event: broken. The calculator must close; "
           "please report this.";
}

void StartupTest::everyFaultIsReportedAndEndsTheProgram() {
    QFETCH(std::function<void()>, fault);
    QFETCH(bool, inHandler);
    QFETCH(int, number);
    QFETCH(QString, description);
    test::ErrorLog log;
    failInLoad = false;
    laterHandlerRuns = 0;
    ::fault = fault;
    const int status = runProject(probeProject, [&] {
        if (!inHandler)
            fault(); // from a timer's event, outside every handler
        QTest::mouseClick(test::find(runtime::formInstance(probeForm()), "fail"), Qt::LeftButton);
        QTest::mouseClick(test::find(runtime::formInstance(probeForm()), "later"), Qt::LeftButton);
    });
    QCOMPARE(status, 1);
    QCOMPARE(laterHandlerRuns, 0);
    QCOMPARE(log.errors.size(), std::size_t(1));
    QCOMPARE(log.errors[0].number, number);
    QCOMPARE(QString::fromStdString(log.errors[0].description), description);
}

void StartupTest::errorInLoadEndsBeforeTheWindowShows() {
    test::ErrorLog log;
    failInLoad = true;
    bool drove = false;
    const int status = runProject(probeProject, [&] { drove = true; });
    failInLoad = false;
    QCOMPARE(status, 1);
    QVERIFY(!drove); // the event loop never ran
    QCOMPARE(log.errors.size(), std::size_t(1));
    QCOMPARE(log.errors[0].number, int(runtime::NoSuchObject));
    QCOMPARE(QString::fromStdString(log.errors[0].description),
             QString("Probe has no object named 'nothing'"));
}

void StartupTest::handlerTableIsCheckedAgainstTheForm_data() {
    QTest::addColumn<QString>("handler");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("button click") << "fail_Click" << true;
    QTest::newRow("form load") << "Form_Load" << true;
    QTest::newRow("no such object") << "ghost_Click" << false;
    QTest::newRow("no such event") << "fail_DblClick" << false;
    QTest::newRow("no event at all") << "fail" << false;
    QTest::newRow("no such form event") << "Form_Unload" << false;
}

void StartupTest::handlerTableIsCheckedAgainstTheForm() {
    QFETCH(QString, handler);
    QFETCH(bool, accepted);
    const std::string name = handler.toStdString();
    const runtime::Handler handlers[] = {{name, noop}};
    runtime::FormDescription form = probeForm();
    form.handlers = handlers;
    try {
        runtime::buildForm(form);
        QVERIFY(accepted);
    } catch (const runtime::RuntimeError& error) {
        QVERIFY2(!accepted, error.what());
        QCOMPARE(error.number(), int(runtime::NoSuchEvent));
    }
}

using Fault = std::function<void(runtime::FormDescription&)>;
Q_DECLARE_METATYPE(Fault)

void StartupTest::descriptionAtFaultIsRefusedBeforeItIsBuilt_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("description");
    QTest::newRow("two controls of one name")
        << Fault([](auto& form) { form.controls = twoNamedFail; })
        << "Two objects are named 'fail'";
    QTest::newRow("a line named as a control")
        << Fault([](auto& form) { form.lines = lineNamedLater; })
        << "Two objects are named 'later'";
    QTest::newRow("a line neither across nor down")
        << Fault([](auto& form) { form.lines = slantingLine; })
        << "The line 'slant' runs neither across nor down";
    QTest::newRow("a menu item under no menu")
        << Fault([](auto& form) { form.menu = itemUnderNoMenu; })
        << "Menu item 'item' stands under no menu";
    QTest::newRow("a screen reader's name for no object")
        << Fault([](auto& form) { form.accessibleNames = nameOfNoObject; })
        << "Accessible text for 'ghost', which is on no form";
    QTest::newRow("a description for no object")
        << Fault([](auto& form) { form.accessibleDescriptions = nameOfNoObject; })
        << "Accessible text for 'ghost', which is on no form";
}

void StartupTest::descriptionAtFaultIsRefusedBeforeItIsBuilt() {
    QFETCH(Fault, fault);
    QFETCH(QString, description);
    runtime::FormDescription form = probeForm();
    form.name = "Faulty";
    fault(form);
    try {
        runtime::formInstance(form);
        runtime::unloadForms(); // it refers to this description, which goes with the test
        QFAIL("the form was built");
    } catch (const runtime::RuntimeError& error) {
        QCOMPARE(error.number(), int(runtime::NoSuchObject));
        QCOMPARE(QString::fromStdString(error.description()), description);
    }
}

CALCULATOR_WIDGET_TEST_MAIN(StartupTest)
#include "startup_test.moc"
