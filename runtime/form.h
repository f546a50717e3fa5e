#pragma once
// A form built from its description, and its objects' properties by name.
// Every access is checked: an unknown object, or a property its kind lacks,
// raises a RuntimeError. Positions and sizes are in twips.

#include "description.h"

#include <memory>
#include <string>
#include <string_view>

class QObject;
class QWidget;

namespace runtime {

enum class ObjectKind { Button, TextBox, Line, Menu, MenuItem };

class Form;

// A handle on one object of a form; cheap to copy, valid while its form lives.
class Object {
public:
    std::string_view name() const { return name_; }
    ObjectKind kind() const { return kind_; }

    std::string text() const;
    void setText(std::string_view text);

    int left() const;
    void setLeft(int twips);
    int top() const;
    int width() const;
    void setWidth(int twips);
    int height() const;

    bool enabled() const;
    void setEnabled(bool enabled);

    QObject* qobject() const { return object_; }

private:
    friend class Form;
    Object(const Form& form, std::string_view name, ObjectKind kind, QObject* object)
        : form_(&form), name_(name), kind_(kind), object_(object) {}

    QWidget* geometryWidget(std::string_view property) const;
    [[noreturn]] void lacks(std::string_view property) const;

    const Form* form_;
    std::string_view name_;
    ObjectKind kind_;
    QObject* object_;
};

class Form {
public:
    explicit Form(const FormDescription& description); // builds; raises no event
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const FormDescription& description() const;
    QWidget* window() const;

    Object operator[](std::string_view name) const;
    bool has(std::string_view name) const;

    // The outer width, frame included. Where the frame belongs to the window
    // manager, the client area is sized to leave room for the laid-out frame.
    int width() const;
    void setWidth(int twips);
    int clientWidth() const;
    int clientHeight() const;

    int toPixels(int twips) const;
    int toTwips(int pixels) const;

    // Runs the handler of the form's own event ("Load" runs Form_Load), if any.
    void raise(std::string_view event) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The program-wide instance of the form of this description's name, created on
// first use; never a second one.
Form& formInstance(const FormDescription& description);
void unloadForms();

} // namespace runtime
