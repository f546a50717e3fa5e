// What every platform's forms share: objects by name, the form's own events,
// and the program-wide instances.

#include "form.h"

#include "dispatch.h"
#include "numeric/error.h"
#include "platform.h"

#include <map>
#include <string>

namespace runtime {

Object Form::operator[](std::string_view name) const {
    const platform::NamedObject found = platform::findObject(*this, name);
    if (!found.object)
        throw RuntimeError(NoSuchObject,
                           std::string(description_.name) + " has no object named " + quoted(name));
    return Object(found.name, found.kind, *found.object, *this);
}

void Form::raise(std::string_view event) const {
    for (const Handler& handler : description_.handlers)
        if (handler.name.starts_with("Form_") && handler.name.substr(5) == event)
            dispatch(handler, description_.recoverableErrors);
}

void Object::require(Property property) const {
    static constexpr const char* names[] = {"Text", "Left", "Width", "Enabled"};
    if (!hasProperty(kind_, property))
        throw RuntimeError(NoSuchProperty,
                           "Object " + quoted(name_) + " has no property " + names[int(property)]);
}

namespace {
// Forms are known by name: the instance of a name is the one start-up shows.
std::map<std::string, std::unique_ptr<Form>, std::less<>>& instances() {
    static std::map<std::string, std::unique_ptr<Form>, std::less<>> forms;
    return forms;
}
} // namespace

Form& formInstance(const FormDescription& description) {
    // Found by its name without building a key: every handler comes this way.
    if (const auto found = instances().find(description.name); found != instances().end())
        return *found->second;
    checkDescription(description);
    auto form = std::make_unique<Form>(description);
    return *instances().emplace(description.name, std::move(form)).first->second;
}

void unloadForms() { instances().clear(); }

} // namespace runtime
