#pragma once
// A form built from its description, and its objects' properties by name.
// Every access is checked: an unknown object, or a property its kind lacks,
// raises a RuntimeError. Positions and sizes are in twips.

#include "description.h"
#include "twips.h"

#include <memory>
#include <string>
#include <string_view>

class QObject;
class QWidget;

namespace runtime {

enum class ObjectKind { Button, TextBox, Line, Menu, MenuItem };

// A handle on one object of a form; cheap to copy, valid while its form lives.
class Object {
public:
    std::string text() const;
    void setText(std::string_view text);
    void setLeft(int twips);
    void setWidth(int twips);
    void setEnabled(bool enabled);

    // Asks assistive technologies to read out the box's text, politely, when
    // they have finished what they are saying: a screen reader speaks changes
    // only in the focused object. With a Qt older than 6.8, which cannot ask,
    // it does nothing.
    void announceText() const;

private:
    friend class Form;
    Object(std::string_view name, ObjectKind kind, QObject* object, TwipsScale scale)
        : name_(name), kind_(kind), object_(object), scale_(scale) {}

    QWidget* geometryWidget(std::string_view property) const;
    [[noreturn]] void lacks(std::string_view property) const;

    std::string_view name_;
    ObjectKind kind_;
    QObject* object_;
    TwipsScale scale_;
};

class Form {
public:
    explicit Form(const FormDescription& description); // builds; raises no event
    explicit Form(const FormDescription&&) = delete;   // the form keeps referring to it
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    QWidget* window() const;
    Object operator[](std::string_view name) const;

    // The outer width, frame included. Where the frame belongs to the window
    // manager, the client area is sized to leave room for the laid-out frame.
    void setWidth(int twips);

    // Runs the handler of the form's own event ("Load" runs Form_Load), if any.
    void raise(std::string_view event) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The program-wide instance of the form of this description's name, created on
// first use; never a second one.
Form& formInstance(const FormDescription& description);
Form& formInstance(const FormDescription&&) = delete;
void unloadForms();

} // namespace runtime
