#pragma once
// A form built from its description, and its objects' properties by name.
// Every access is checked: an unknown object, or a property its kind lacks,
// raises a RuntimeError. Positions and sizes are in twips.
//
// What is shared by every platform is here; each platform folder builds the
// form with its own toolkit and defines BuiltObject and Form::Impl.

#include "description.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace runtime {

enum class ObjectKind { Button, TextBox, Line, Menu, MenuItem };
enum class Property { Text, Left, Width, Enabled };

// Which kind of object has which property, on every platform: a box has a
// Text; buttons and boxes have a Left and a Width; all but lines are Enabled.
constexpr bool hasProperty(ObjectKind kind, Property property) {
    switch (property) {
    case Property::Text:
        return kind == ObjectKind::TextBox;
    case Property::Left:
    case Property::Width:
        return kind == ObjectKind::Button || kind == ObjectKind::TextBox;
    case Property::Enabled:
        return kind != ObjectKind::Line;
    }
    return false;
}

// One object as the platform built it: its kind and its native control.
struct BuiltObject;
// A built form's objects, by the names their description gives them.
using BuiltObjects = std::map<std::string_view, BuiltObject, std::less<>>;

class Form;

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
    // only in the focused object. A longer text is read out by its last
    // `announcedLength` characters. Where the platform cannot ask, it does nothing.
    void announceText() const;
    static constexpr int announcedLength = 100;

private:
    friend class Form;
    Object(std::string_view name, ObjectKind kind, BuiltObject& object, const Form& form)
        : name_(name), kind_(kind), object_(&object), form_(&form) {}

    // Raises the run-time error of an object whose kind lacks the property.
    void require(Property property) const;

    std::string_view name_;
    ObjectKind kind_;
    BuiltObject* object_;
    const Form* form_;
};

class Form {
public:
    explicit Form(const FormDescription& description); // builds; raises no event
    explicit Form(const FormDescription&&) = delete;   // the form keeps referring to it
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const FormDescription& description() const { return description_; }
    Object operator[](std::string_view name) const;

    // The outer width, frame included. Where the platform's frame is wider or
    // belongs to a window manager, the client area is sized to leave room for
    // the laid-out frame.
    void setWidth(int twips);

    // Runs the handler of the form's own event ("Load" runs Form_Load), if any.
    void raise(std::string_view event) const;

    // The platform's own: its window and objects.
    struct Impl;
    Impl& impl() const { return *impl_; }

private:
    const FormDescription& description_;
    std::unique_ptr<Impl> impl_;
};

// The program-wide instance of the form of this description's name, created on
// first use; never a second one.
Form& formInstance(const FormDescription& description);
Form& formInstance(const FormDescription&&) = delete;
void unloadForms();

} // namespace runtime
