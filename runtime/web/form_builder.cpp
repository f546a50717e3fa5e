// Turns a form's description into elements of the page: one generic builder
// for any table of controls, lines and menu entries, placed in twips as CSS
// pixels, with each Click bound to its handler.

#include "built_form.h"

#include "dom.h"
#include "menu_bar.h"
#include "runtime/event_binding.h"
#include "runtime/numeric/error.h"
#include "runtime/platform.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace runtime {

using dom::val;

namespace {

// The forms and the buttons' handlers, by the numbers their listeners carry.
std::vector<const Form*> forms;
std::vector<std::pair<const Form*, const Handler*>> clicks;

// What a table of names or descriptions says of the object, if anything.
std::string_view entryFor(std::span<const AccessibleText> table, std::string_view object) {
    for (const AccessibleText& entry : table)
        if (entry.object == object)
            return entry.text;
    return {};
}

class Builder {
public:
    explicit Builder(const Form& form) : form_(form), impl_(form.impl()) {}

    void build() {
        const FormDescription& description = form_.description();
        impl_.number = int(forms.size());
        forms.push_back(&form_);
        impl_.outerWidth = description.outerWidth;
        dom::document().set("title", std::string(description.caption));

        impl_.window = dom::element("div", "form");
        impl_.window.set("id", std::string(description.name));
        impl_.window.call<void>("setAttribute", std::string("aria-label"),
                                std::string(description.caption));
        // A menu bar and controls, used as a desktop program's are: a screen
        // reader hands every key to them and says each one the focus comes to.
        impl_.window.call<void>("setAttribute", std::string("role"), std::string("application"));
        // The page's main landmark, headed by the caption for those who move
        // by headings; the heading is heard, not seen.
        impl_.landmark = dom::element("main");
        val heading = dom::element("h1", "unseen");
        dom::setText(heading, description.caption);
        impl_.landmark.call<void>("append", heading, impl_.window);
        impl_.window.set("hidden", true);
        addMenu();
        impl_.client = dom::element("div", "client");
        impl_.client.set("id", std::string(description.name) + "-client");
        impl_.client["style"].set("height", dom::cssPixels(description.clientHeight));
        impl_.window.call<void>("append", impl_.client);
        addControls();
        addLines();
        impl_.announcer = dom::element("div", "unseen");
        impl_.announcer.call<void>("setAttribute", std::string("aria-live"), std::string("polite"));
        impl_.window.call<void>("append", impl_.announcer);

        const auto find = [this](std::string_view name) {
            return platform::findObject(form_, name).object;
        };
        bindClickHandlers(description, find, [this](BuiltObject& object, const Handler& handler) {
            if (object.kind == ObjectKind::MenuItem) {
                bindMenuItem(object.element["dataset"]["entry"].as<int>(), handler);
                return;
            }
            dom::listen(object.element, "click",
                        dom::listener(dom::Event::Click, int(clicks.size())));
            clicks.emplace_back(&form_, &handler);
        });
        listenForMenuKeys(form_);
        dom::listen(val::global("window"), "resize",
                    dom::listener(dom::Event::WindowResize, impl_.number));
        sizeClientArea(form_);
        dom::document()["body"].call<void>("append", impl_.landmark);
    }

private:
    void add(std::string_view name, BuiltObject object) {
        if (!impl_.objects.emplace(name, std::move(object)).second)
            throw RuntimeError(NoSuchObject, "Two objects are named " + quoted(name));
    }

    // In focus order, which is the order of the page and so the order Tab
    // follows; each where its twips say.
    void addControls() {
        const FormDescription& description = form_.description();
        std::vector<const Control*> inTabOrder;
        for (const Control& control : description.controls)
            inTabOrder.push_back(&control);
        std::stable_sort(
            inTabOrder.begin(), inTabOrder.end(),
            [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
        val parent = impl_.client;
        std::string_view group;
        for (const Control* control : inTabOrder) {
            // Controls described alike one after another, as a keypad's keys, are
            // a group named by the description: a screen reader says a one-letter
            // button's description in place of its caption, and a group's name
            // as the focus enters it.
            if (const std::string_view described =
                    entryFor(description.accessibleDescriptions, control->name);
                described != group) {
                group = described;
                parent = impl_.client;
                if (!group.empty()) {
                    parent = dom::element("div", "group");
                    parent.call<void>("setAttribute", std::string("role"), std::string("group"));
                    parent.call<void>("setAttribute", std::string("aria-label"),
                                      std::string(group));
                    impl_.client.call<void>("append", parent);
                }
            }
            const bool box = control->kind == ControlKind::TextBox;
            val element = dom::element(box ? "input" : "button");
            element.set("id", std::string(control->name));
            if (box) {
                element.set("type", std::string("text"));
                element.set("value", std::string(control->caption));
                element.set("autocomplete", std::string("off"));
                element.set("spellcheck", false);
                element.call<void>("setAttribute", std::string("autocapitalize"),
                                   std::string("off"));
            } else {
                element.set("type", std::string("button"));
                dom::setText(element, control->caption);
            }
            if (const std::string_view name = entryFor(description.accessibleNames, control->name);
                !name.empty())
                element.call<void>("setAttribute", std::string("aria-label"), std::string(name));
            val style = element["style"];
            style.set("left", dom::cssPixels(control->left));
            style.set("top", dom::cssPixels(control->top));
            style.set("width", dom::cssPixels(control->width));
            style.set("height", dom::cssPixels(control->height));
            parent.call<void>("append", element);
            add(control->name,
                {.kind = box ? ObjectKind::TextBox : ObjectKind::Button, .element = element});
        }
    }

    // Drawn in the text colour one CSS pixel thick; the dotted one a pixel on, a pixel off.
    void addLines() {
        for (const Line& line : form_.description().lines) {
            const bool across = line.y1 == line.y2;
            if (!across && line.x1 != line.x2)
                throw RuntimeError(NoSuchObject, "The line " + quoted(line.name) +
                                                     " runs neither across nor down");
            val element =
                dom::element("div", std::string(across ? "line across" : "line down") +
                                        (line.style == LineStyle::Dotted ? " dotted" : ""));
            element.set("id", std::string(line.name));
            element.call<void>("setAttribute", std::string("aria-hidden"), std::string("true"));
            val style = element["style"];
            style.set("left", dom::cssPixels(std::min(line.x1, line.x2)));
            style.set("top", dom::cssPixels(std::min(line.y1, line.y2)));
            style.set(
                across ? "width" : "height",
                dom::cssPixels(across ? std::abs(line.x2 - line.x1) : std::abs(line.y2 - line.y1)));
            impl_.client.call<void>("append", element);
            add(line.name, {.kind = ObjectKind::Line, .element = element});
        }
    }

    void addMenu() {
        if (form_.description().menu.empty())
            return;
        val bar = dom::element("div", "menubar");
        bar.call<void>("setAttribute", std::string("role"), std::string("menubar"));
        for (const MenuEntry& entry : form_.description().menu) {
            if (entry.level == 0) {
                val menu = dom::element("div", "menu");
                val title = menuEntryElement(entry);
                title.call<void>("setAttribute", std::string("aria-haspopup"), std::string("menu"));
                title.call<void>("setAttribute", std::string("aria-expanded"),
                                 std::string("false"));
                val popup = dom::element("div", "popup");
                popup.call<void>("setAttribute", std::string("role"), std::string("menu"));
                popup.call<void>("setAttribute", std::string("aria-label"),
                                 std::string(entry.caption));
                popup.set("hidden", true);
                menu.call<void>("append", title, popup);
                bar.call<void>("append", menu);
                impl_.menus.push_back({title, popup, {}});
                addMenuEntry(form_, impl_.menus.size() - 1, -1, title);
                add(entry.name, {.kind = ObjectKind::Menu, .element = title});
            } else if (!impl_.menus.empty()) {
                MenuView& menu = impl_.menus.back();
                val item = menuEntryElement(entry);
                menu.popup.call<void>("append", item);
                menu.items.push_back(item);
                item["dataset"].set("entry", addMenuEntry(form_, impl_.menus.size() - 1,
                                                          int(menu.items.size() - 1), item));
                add(entry.name, {.kind = ObjectKind::MenuItem, .element = item});
            } else {
                throw RuntimeError(NoSuchObject,
                                   "Menu item " + quoted(entry.name) + " stands under no menu");
            }
        }
        impl_.window.call<void>("append", bar);
    }

    // Out of the Tab order, as a desktop's menus are: Alt or F10 leads there.
    static val menuEntryElement(const MenuEntry& entry) {
        val element = dom::element("button", entry.level == 0 ? "title" : "item");
        element.set("type", std::string("button"));
        element.set("id", std::string(entry.name));
        element.call<void>("setAttribute", std::string("role"), std::string("menuitem"));
        element.set("tabIndex", -1);
        dom::setText(element, entry.caption);
        return element;
    }

    const Form& form_;
    Form::Impl& impl_;
};

} // namespace

void buildForm(const Form& form) { Builder(form).build(); }

void destroyForm(const Form& form) {
    Form::Impl& impl = form.impl();
    if (impl.number >= 0)
        forms[std::size_t(impl.number)] = nullptr;
    for (auto& click : clicks)
        if (click.first == &form)
            click = {nullptr, nullptr};
    forgetMenuEntries(form);
    if (!impl.landmark.isUndefined())
        impl.landmark.call<void>("remove");
}

const Form* formNumbered(int number) {
    return number >= 0 && std::size_t(number) < forms.size() ? forms[std::size_t(number)] : nullptr;
}

void dom::onClick(int button) {
    if (button < 0 || std::size_t(button) >= clicks.size() || !clicks[std::size_t(button)].first)
        return;
    const auto [form, handler] = clicks[std::size_t(button)];
    dom::runHandler(*handler, form->description().recoverableErrors);
}

} // namespace runtime
