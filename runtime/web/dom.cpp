#include "dom.h"

#include "runtime/dispatch.h"

#include <emscripten/bind.h>

#include <stdexcept>
#include <string>

namespace runtime::dom {

val document() { return val::global("document"); }

val element(std::string_view tag, std::string_view className) {
    val created = document().call<val>("createElement", std::string(tag));
    if (!className.empty())
        created.set("className", std::string(className));
    return created;
}

void setText(val element, std::string_view text) { element.set("textContent", std::string(text)); }

bool contains(const val& outer, const val& inner) {
    return !inner.isNull() && !inner.isUndefined() && outer.call<bool>("contains", inner);
}

namespace {

const char* const anEvent = "the handling of an event";
std::string_view handling = anEvent; // the handler running, for a fault's message

// No exception crosses into the browser: whatever the handling of an event
// throws is reported here and ends the program, as at the event boundary.
template <typename Handling> void guarded(Handling handle) {
    try {
        handle();
    } catch (...) {
        handleException(anEvent);
    }
}

// A JavaScript exception from a call into the page, caught by the listener
// (before_start.js): the same report and end as a C++ exception of the handler.
void onFault(std::string what) {
    try {
        throw std::runtime_error(what);
    } catch (...) {
        handleException(handling);
    }
    handling = anEvent;
}

struct Exported {
    const char* name;
    void (*function)(int, val);
};

// In the order of Event.
constexpr Exported exported[] = {
    {"calculatorClick", [](int n, val event) { guarded([&] { onClick(n, event); }); }},
    {"calculatorMenuClick", [](int n, val event) { guarded([&] { onMenuClick(n, event); }); }},
    {"calculatorMenuKey", [](int n, val event) { guarded([&] { onMenuKey(n, event); }); }},
    {"calculatorPageKey", [](int n, val event) { guarded([&] { onPageKey(n, event); }); }},
    {"calculatorPagePointer", [](int n, val event) { guarded([&] { onPagePointer(n, event); }); }},
    {"calculatorWindowResize", [](int n, val) { guarded([&] { onWindowResize(n); }); }},
    {"calculatorMessageClosed", [](int, val) { guarded([&] { onMessageClosed(); }); }},
    {"calculatorStartup", [](int, val) { guarded([&] { onStartup(); }); }},
    {"calculatorStartAgain", [](int, val) { guarded([&] { onStartAgain(); }); }},
};

} // namespace

val listener(Event event, int number) {
    return val::module_property("guardedListener")(val::module_property(exported[int(event)].name),
                                                   number);
}

void runHandler(const Handler& handler, std::span<const int> recoverable) {
    handling = handler.name;
    dispatch(handler, recoverable);
    handling = anEvent;
}

void listen(const val& target, std::string_view type, const val& listener, bool capture) {
    target.call<void>("addEventListener", std::string(type), listener, capture);
}

EMSCRIPTEN_BINDINGS(calculator_events) {
    for (const Exported& function : exported)
        emscripten::function(function.name, function.function);
    emscripten::function("calculatorFault", onFault);
}

} // namespace runtime::dom
