#pragma once
// The few DOM operations the web layer uses, and the one way an event of the
// page reaches C++: a listener bound to a function this layer exports.

#include "runtime/description.h"

#include <emscripten/val.h>

#include <span>
#include <string>
#include <string_view>

namespace runtime::dom {

using emscripten::val;

val document();
val element(std::string_view tag, std::string_view className = {});
void setText(val element, std::string_view text);
bool contains(const val& outer, const val& inner);

// The page's events, as the exported functions of dom.cpp receive them: each
// listener carries the number it was made with, and the event.
enum class Event {
    Click,
    MenuClick,
    MenuKey,
    PageKey,
    PagePointer,
    WindowResize,
    MessageClosed,
    Startup,
    StartAgain
};
val listener(Event event, int number = 0);
void listen(const val& target, std::string_view type, const val& listener, bool capture = false);

// Runs a handler through dispatch, naming it in the report of a JavaScript
// exception that passes C++'s boundary.
void runHandler(const Handler& handler, std::span<const int> recoverable);

// Where each of those lands, with the number its listener was made with.
void onClick(int form, const val& event);
void onMenuClick(int form, const val& event);
void onMenuKey(int form, const val& event);
void onPageKey(int form, const val& event);
void onPagePointer(int form, const val& event);
void onWindowResize(int form);
void onMessageClosed();
void onStartup();
void onStartAgain();

} // namespace runtime::dom
