#include "form_builder.h"

#include "announcer.h"
#include "line_widget.h"
#include "menu_bar_key.h"
#include "runtime/dispatch.h"
#include "runtime/event_binding.h"
#include "runtime/platform.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <limits>
#include <string>

namespace runtime {

namespace {

// Captions are shown as they stand: an ampersand never makes an access key.
QString caption(std::string_view text) { return QString::fromUtf8(text).replace('&', "&&"); }

class Builder {
public:
    explicit Builder(const FormDescription& description) : description_(description) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        built_.scale = {screen ? screen->logicalDotsPerInchX() : 96.0};
    }

    BuiltForm build() {
        auto* window = new QMainWindow;
        built_.window.reset(window);
        window->setObjectName(QString::fromUtf8(description_.name));
        window->setWindowTitle(QString::fromUtf8(description_.caption));
        window->setWindowIcon(icon());
        window->setWindowFlag(Qt::WindowMaximizeButtonHint, false); // its size is fixed

        built_.client = new QWidget(window);
        built_.client->setObjectName("client");
        window->setCentralWidget(built_.client);
        built_.client->setFixedSize(px(description_.clientWidth), px(description_.clientHeight));
        // The window is as large as its client area and menu bar, never resized by hand.
        window->layout()->setSizeConstraint(QLayout::SetFixedSize);

        addControls();
        addLines();
        addMenu();
        reachMenuBarWithF10(window);
        nameForScreenReaders();
        prepareAnnouncements(window);
        bindHandlers();
        return std::move(built_);
    }

private:
    int px(int twips) const { return built_.scale.toPixels(twips); }

    // One icon, several images, each kept at its own size. Read from the
    // compiled-in XPM data, which needs no image plugin: looking for one by
    // file name loaded every plugin Qt has, a good part of start-up.
    QIcon icon() const {
        QIcon icon;
        for (XpmImage image : description_.iconImages)
            icon.addPixmap(QPixmap::fromImage(QImage(image)));
        return icon;
    }

    void add(std::string_view name, ObjectKind kind, QObject* object) {
        object->setObjectName(QString::fromUtf8(name));
        built_.objects.emplace(name, BuiltObject{kind, object});
    }

    void addControls() {
        QWidget* previous = nullptr;
        for (const Control* control : inTabOrder(description_)) {
            QWidget* widget = makeControl(*control);
            widget->setGeometry(px(control->left), px(control->top), px(control->width),
                                px(control->height));
            widget->setFocusPolicy(Qt::StrongFocus);
            if (previous)
                QWidget::setTabOrder(previous, widget);
            else
                widget->setFocus(); // the first in the focus order starts with it
            previous = widget;
        }
    }

    QWidget* makeControl(const Control& control) {
        if (control.kind == ControlKind::TextBox) {
            auto* box = new QLineEdit(built_.client);
            box->setMaxLength(std::numeric_limits<int>::max());
            box->setText(QString::fromUtf8(control.caption));
            add(control.name, ObjectKind::TextBox, box);
            return box;
        }
        auto* button = new QPushButton(caption(control.caption), built_.client);
        button->setAutoDefault(false);
        button->setDefault(false);
        add(control.name, ObjectKind::Button, button);
        return button;
    }

    void addLines() {
        for (const Line& line : description_.lines) {
            auto* widget =
                new LineWidget(QPoint(px(line.x1), px(line.y1)), QPoint(px(line.x2), px(line.y2)),
                               line.style, built_.client);
            add(line.name, ObjectKind::Line, widget);
        }
    }

    void addMenu() {
        QMenu* menu = nullptr;
        for (const MenuEntry& entry : description_.menu) {
            if (entry.level == 0) {
                menu = static_cast<QMainWindow*>(built_.window.get())
                           ->menuBar()
                           ->addMenu(caption(entry.caption));
                add(entry.name, ObjectKind::Menu, menu);
            } else {
                add(entry.name, ObjectKind::MenuItem, menu->addAction(caption(entry.caption)));
            }
        }
    }

    void nameForScreenReaders() {
        const auto give = [this](std::span<const AccessibleText> entries,
                                 void (QWidget::*set)(const QString&)) {
            for (const AccessibleText& entry : entries)
                if (auto* widget = qobject_cast<QWidget*>(built_.objects.at(entry.object).object))
                    (widget->*set)(QString::fromUtf8(entry.text));
        };
        give(description_.accessibleNames, &QWidget::setAccessibleName);
        give(description_.accessibleDescriptions, &QWidget::setAccessibleDescription);
    }

    void bindHandlers() {
        const auto find = [this](std::string_view name) {
            return platform::findIn(built_.objects, name).object;
        };
        bindClickHandlers(
            description_, find, [this](const BuiltObject& target, const Handler& handler) {
                const auto run = [&handler, recoverable = description_.recoverableErrors] {
                    dispatch(handler, recoverable);
                };
                if (target.kind == ObjectKind::Button)
                    QObject::connect(static_cast<QPushButton*>(target.object),
                                     &QPushButton::clicked, run);
                else
                    QObject::connect(static_cast<QAction*>(target.object), &QAction::triggered,
                                     run);
            });
    }

    const FormDescription& description_;
    BuiltForm built_;
};

} // namespace

BuiltForm buildForm(const FormDescription& description) { return Builder(description).build(); }

} // namespace runtime
