#pragma once
// What each platform layer gives the code that every platform shares.

#include "form.h"

#include <string_view>

namespace runtime::platform {

// The object of this name on the form, with the name as its description
// holds it; a null object when the form has none of that name.
struct NamedObject {
    std::string_view name;
    BuiltObject* object;
    ObjectKind kind;
};
NamedObject findObject(const Form& form, std::string_view name);

// The lookup every platform's findObject makes in its map of built objects.
template <typename Objects> NamedObject findIn(Objects& objects, std::string_view name) {
    const auto found = objects.find(name);
    return found == objects.end() ? NamedObject{name, nullptr, {}}
                                  : NamedObject{found->first, &found->second, found->second.kind};
}

// Shows a form, loaded, to the user.
void show(Form& form);

// Runs the event loop until the program ends; returns the exit status.
int runEventLoop();

// Hides every window, so that none outlives the program's end, and ends the
// event loop with this status, or keeps it from starting.
void quitEventLoop(int status);

} // namespace runtime::platform
