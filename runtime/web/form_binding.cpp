// A form's elements, found where the page writer put them (runtime/page/),
// bound to the handlers: each button's Click, the menu bar, the window's
// resizing. The page shows the form as start-up leaves it; start-up then runs
// here on the same elements, its setters leaving them as they are.

#include "built_form.h"

#include "dom.h"
#include "menu_bar.h"
#include "runtime/event_binding.h"
#include "runtime/numeric/error.h"
#include "runtime/platform.h"

#include <string>
#include <vector>

namespace runtime {

using dom::val;

namespace {

// The forms, by the numbers their listeners carry.
std::vector<const Form*> forms;

val byId(std::string_view id) {
    val found = dom::document().call<val>("getElementById", std::string(id));
    if (found.isNull())
        throw RuntimeError(NoSuchObject, "The page has no element for " + quoted(id));
    return found;
}

} // namespace

void bindForm(const Form& form) {
    const FormDescription& description = form.description();
    Form::Impl& impl = form.impl();
    impl.number = int(forms.size());
    forms.push_back(&form);
    impl.outerWidth = description.outerWidth;
    impl.window = byId(description.name);
    impl.landmark = impl.window["parentElement"];
    impl.client = byId(std::string(description.name) + "-client");
    impl.announcer = impl.window.call<val>("querySelector", std::string("[aria-live]"));
    const auto add = [&impl](std::string_view name, ObjectKind kind) -> BuiltObject& {
        return impl.objects.emplace(name, BuiltObject{kind, byId(name)}).first->second;
    };
    for (const Control& control : description.controls) {
        if (control.kind == ControlKind::Button) {
            add(control.name, ObjectKind::Button);
            continue;
        }
        // As the description has it, whatever the page kept, so that Load
        // finds here what it found on the build machine.
        add(control.name, ObjectKind::TextBox).element.set("value", std::string(control.caption));
    }
    for (const Line& line : description.lines)
        add(line.name, ObjectKind::Line);
    for (const MenuEntry& entry : description.menu) {
        BuiltObject& object =
            add(entry.name, entry.level == 0 ? ObjectKind::Menu : ObjectKind::MenuItem);
        if (entry.level == 0)
            impl.menus.push_back({&object, object.element["nextElementSibling"], {}});
        else if (!impl.menus.empty())
            impl.menus.back().items.push_back(&object);
    }
    bindClickHandlers(
        description,
        [&form](std::string_view name) { return platform::findObject(form, name).object; },
        [](BuiltObject& object, const Handler& handler) { object.click = &handler; });
    dom::listen(impl.client, "click", dom::listener(dom::Event::Click, impl.number));
    listenToMenuBar(form);
    dom::listen(val::global("window"), "resize",
                dom::listener(dom::Event::WindowResize, impl.number));
}

void unbindForm(const Form& form) {
    Form::Impl& impl = form.impl();
    if (impl.number >= 0)
        forms[std::size_t(impl.number)] = nullptr;
    forgetMenuBar(form);
}

const Form* formNumbered(int number) {
    return number >= 0 && std::size_t(number) < forms.size() ? forms[std::size_t(number)] : nullptr;
}

// A click anywhere in the client area: the handler of the button it pressed.
void dom::onClick(int number, const val& event) {
    const Form* form = formNumbered(number);
    const val button = event["target"].call<val>("closest", std::string("button"));
    if (!form || button.isNull())
        return;
    const platform::NamedObject found = platform::findObject(*form, button["id"].as<std::string>());
    if (found.object && found.object->click)
        dom::runHandler(*found.object->click, form->description().recoverableErrors);
}

} // namespace runtime
