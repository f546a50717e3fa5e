#include "menu_bar.h"

#include "dom.h"

#include <optional>
#include <string>
#include <vector>

namespace runtime {

using dom::val;

namespace {

// The forms with a menu bar, by the numbers their listeners carry.
std::vector<const Form*> forms;

const Form* formWithMenuBar(int number) {
    return number >= 0 && std::size_t(number) < forms.size() ? forms[std::size_t(number)] : nullptr;
}

bool altAlone = false; // Alt pressed with no other key since: a desktop's way into the menus

bool isDisabled(const val& element) {
    return element.call<val>("getAttribute", std::string("aria-disabled"))
        .strictlyEquals(val("true"));
}

bool inMenuBar(const Form::Impl& impl, const val& element) {
    for (const MenuView& menu : impl.menus)
        if (dom::contains(menu.title->element["parentNode"], element))
            return true;
    return false;
}

int openMenu(const Form::Impl& impl) {
    for (std::size_t m = 0; m < impl.menus.size(); ++m)
        if (!impl.menus[m].popup["hidden"].as<bool>())
            return int(m);
    return -1;
}

void setOpen(MenuView& menu, bool open) {
    menu.popup.set("hidden", !open);
    menu.title->element.call<void>("setAttribute", std::string("aria-expanded"),
                                   std::string(open ? "true" : "false"));
}

void closeMenus(Form::Impl& impl) {
    for (MenuView& menu : impl.menus)
        setOpen(menu, false);
}

// Opens one menu, the others closed, with the focus on its first or last item,
// or left on its title.
enum class FocusOn { Title, FirstItem, LastItem };
void open(Form::Impl& impl, std::size_t m, FocusOn focus) {
    MenuView& menu = impl.menus[m];
    if (isDisabled(menu.title->element))
        return;
    closeMenus(impl);
    setOpen(menu, true);
    if (focus == FocusOn::Title || menu.items.empty())
        menu.title->element.call<void>("focus");
    else
        menu.items[focus == FocusOn::FirstItem ? 0 : menu.items.size() - 1]->element.call<void>(
            "focus");
}

void enterMenuBar(Form::Impl& impl) {
    if (impl.menus.empty())
        return;
    impl.focusBeforeMenu = dom::document()["activeElement"];
    impl.menus.front().title->element.call<void>("focus");
}

// Back to the control that had the focus before the menus, as on a desktop.
void leaveMenuBar(Form::Impl& impl) {
    closeMenus(impl);
    val before = impl.focusBeforeMenu;
    impl.focusBeforeMenu = val::null();
    if (!before.isNull() && !before.isUndefined() && before["isConnected"].as<bool>() &&
        !inMenuBar(impl, before))
        before.call<void>("focus");
    else if (inMenuBar(impl, dom::document()["activeElement"]))
        dom::document()["activeElement"].call<void>("blur");
}

std::size_t wrapped(int at, std::size_t count) {
    const int n = int(count);
    return std::size_t(((at % n) + n) % n);
}

} // namespace

void listenToMenuBar(const Form& form) {
    if (form.impl().menus.empty())
        return;
    const int number = int(forms.size());
    forms.push_back(&form);
    const val bar =
        form.impl().menus.front().title->element.call<val>("closest", std::string(".menubar"));
    dom::listen(bar, "click", dom::listener(dom::Event::MenuClick, number));
    dom::listen(bar, "keydown", dom::listener(dom::Event::MenuKey, number));
    const val document = dom::document();
    dom::listen(document, "keydown", dom::listener(dom::Event::PageKey, number), true);
    dom::listen(document, "keyup", dom::listener(dom::Event::PageKey, number), true);
    dom::listen(document, "pointerdown", dom::listener(dom::Event::PagePointer, number), true);
}

void forgetMenuBar(const Form& form) {
    for (const Form*& known : forms)
        if (known == &form)
            known = nullptr;
}

namespace {

// The menu and item (-1: the menu's title on the bar) an event of the bar is for.
struct Entry {
    std::size_t menu;
    int item;
};
std::optional<Entry> entryOf(const Form::Impl& impl, const val& event) {
    const val target = event["target"].call<val>("closest", std::string("[role=menuitem]"));
    for (std::size_t m = 0; m < impl.menus.size(); ++m) {
        const MenuView& menu = impl.menus[m];
        if (menu.title->element.strictlyEquals(target))
            return Entry{m, -1};
        for (std::size_t i = 0; i < menu.items.size(); ++i)
            if (menu.items[i]->element.strictlyEquals(target))
                return Entry{m, int(i)};
    }
    return std::nullopt;
}

} // namespace

// A click on a title opens its menu or closes it; on an item, chooses it:
// the menus close, the focus goes back, then the item's handler runs.
void dom::onMenuClick(int number, const val& event) {
    const Form* form = formWithMenuBar(number);
    const std::optional<Entry> entry = form ? entryOf(form->impl(), event) : std::nullopt;
    if (!entry)
        return;
    Form::Impl& impl = form->impl();
    const MenuView& menu = impl.menus[entry->menu];
    if (entry->item < 0) {
        if (openMenu(impl) == int(entry->menu))
            leaveMenuBar(impl);
        else
            open(impl, entry->menu, FocusOn::Title);
        return;
    }
    const BuiltObject& item = *menu.items[std::size_t(entry->item)];
    if (isDisabled(item.element))
        return; // a greyed item cannot be chosen; its menu stays open
    leaveMenuBar(impl);
    if (item.click)
        dom::runHandler(*item.click, form->description().recoverableErrors);
}

void dom::onMenuKey(int number, const val& event) {
    const Form* form = formWithMenuBar(number);
    const std::optional<Entry> found = form ? entryOf(form->impl(), event) : std::nullopt;
    if (!found)
        return;
    const Entry& entry = *found;
    Form::Impl& impl = form->impl();
    const MenuView& menu = impl.menus[entry.menu];
    const std::string key = event["key"].as<std::string>();
    const int step = key == "ArrowDown" || key == "ArrowRight" ? 1 : -1;
    bool handled = true;
    if (entry.item < 0) {
        if (key == "ArrowDown" || key == "Enter" || key == " ")
            open(impl, entry.menu, FocusOn::FirstItem);
        else if (key == "ArrowUp")
            open(impl, entry.menu, FocusOn::LastItem);
        else if (key == "ArrowLeft" || key == "ArrowRight") {
            const std::size_t next = wrapped(int(entry.menu) + step, impl.menus.size());
            if (openMenu(impl) >= 0)
                open(impl, next, FocusOn::Title);
            else
                impl.menus[next].title->element.call<void>("focus");
        } else if (key == "Escape" && openMenu(impl) >= 0)
            closeMenus(impl);
        else if (key == "Escape" || key == "Tab")
            leaveMenuBar(impl);
        else
            handled = false;
    } else {
        if (key == "ArrowDown" || key == "ArrowUp")
            menu.items[wrapped(entry.item + step, menu.items.size())]->element.call<void>("focus");
        else if (key == "Home" || key == "End")
            menu.items[key == "Home" ? 0 : menu.items.size() - 1]->element.call<void>("focus");
        else if (key == "ArrowLeft" || key == "ArrowRight")
            open(impl, wrapped(int(entry.menu) + step, impl.menus.size()), FocusOn::FirstItem);
        else if (key == "Escape") {
            // The focus moved before its menu is hidden: hiding it first would
            // drop the focus to the page, and a screen reader then says only
            // that the title has collapsed.
            menu.title->element.call<void>("focus");
            closeMenus(impl);
        } else if (key == "Tab")
            leaveMenuBar(impl);
        else
            handled = false; // Enter and the space bar press the item, as any button
    }
    if (handled) {
        event.call<void>("preventDefault");
        event.call<void>("stopPropagation");
    }
}

// Alt pressed and let go alone, or F10, goes into the menu bar and out again.
void dom::onPageKey(int number, const val& event) {
    const Form* form = formWithMenuBar(number);
    if (!form || form->impl().window["inert"].as<bool>())
        return;
    Form::Impl& impl = form->impl();
    const std::string key = event["key"].as<std::string>();
    const bool down = event["type"].as<std::string>() == "keydown";
    bool toggle = false;
    if (key == "Alt") {
        if (down)
            altAlone = !event["repeat"].as<bool>() || altAlone;
        else
            toggle = altAlone;
    } else {
        altAlone = false;
        toggle =
            down && key == "F10" && !event["shiftKey"].as<bool>() && !event["ctrlKey"].as<bool>();
    }
    if (!toggle)
        return;
    altAlone = false;
    event.call<void>("preventDefault");
    if (inMenuBar(impl, dom::document()["activeElement"]))
        leaveMenuBar(impl);
    else
        enterMenuBar(impl);
}

// A press outside the menus closes them; one on a title remembers where the
// focus was, to give it back once an item is chosen.
void dom::onPagePointer(int number, const val& event) {
    const Form* form = formWithMenuBar(number);
    if (!form)
        return;
    Form::Impl& impl = form->impl();
    if (!inMenuBar(impl, event["target"])) {
        closeMenus(impl);
        impl.focusBeforeMenu = val::null();
    } else if (!inMenuBar(impl, dom::document()["activeElement"])) {
        impl.focusBeforeMenu = dom::document()["activeElement"];
    }
}

} // namespace runtime
