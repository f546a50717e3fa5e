#pragma once
// Turns a form's description into widgets: one generic builder for any table
// of controls, lines and menu entries, with each event bound to its handler.

#include "runtime/description.h"
#include "runtime/form.h"
#include "runtime/twips.h"

#include <QWidget>

#include <memory>

namespace runtime {

struct BuiltObject {
    ObjectKind kind;
    QObject* object; // a QPushButton, QLineEdit, LineWidget, QMenu or QAction
};

struct BuiltForm {
    std::unique_ptr<QWidget> window; // with a menu bar above the client area
    QWidget* client = nullptr;       // the client area below the menu bar
    BuiltObjects objects;
    TwipsScale scale;
};

// Throws RuntimeError when the description is inconsistent: two objects of one
// name, or a handler naming no object or an event its object does not have.
BuiltForm buildForm(const FormDescription& description);
BuiltForm buildForm(const FormDescription&&) = delete; // its handlers are bound by reference

} // namespace runtime
