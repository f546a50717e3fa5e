// Starts a program on the X display and measures what its user waits for:
// when its first top-level window is mapped, and when its first frame has
// settled (the last drawing before a quiet spell). Then closes it as a window
// manager would (WM_DELETE_WINDOW) and reports the process's peak RSS.
//
// Usage: first-frame-probe [--quiet-ms N] [--timeout-ms N] PROGRAM [ARGUMENTS...]
// Prints one line: mapped_ms=… settled_ms=… peak_rss_kb=…

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

xcb_atom_t atom(xcb_connection_t* x, const char* name) {
    const auto cookie = xcb_intern_atom(x, 0, static_cast<uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(x, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void askToClose(xcb_connection_t* x, xcb_window_t window) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(x, "WM_PROTOCOLS");
    message.data.data32[0] = atom(x, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(x, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(x);
}

[[noreturn]] void fail(const char* why) {
    std::fprintf(stderr, "first-frame-probe: %s\n", why);
    std::exit(2);
}

} // namespace

int main(int argc, char** argv) {
    int quietMs = 400, timeoutMs = 30'000, first = 1;
    for (; first + 1 < argc && std::strncmp(argv[first], "--", 2) == 0; first += 2) {
        if (std::strcmp(argv[first], "--quiet-ms") == 0)
            quietMs = std::atoi(argv[first + 1]);
        else if (std::strcmp(argv[first], "--timeout-ms") == 0)
            timeoutMs = std::atoi(argv[first + 1]);
        else
            fail("usage: first-frame-probe [--quiet-ms N] [--timeout-ms N] PROGRAM [ARGS...]");
    }
    if (first >= argc)
        fail("no program to start");

    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x))
        fail("cannot open the display");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const xcb_query_extension_reply_t* damageExtension = xcb_get_extension_data(x, &xcb_damage_id);
    if (!damageExtension || !damageExtension->present)
        fail("the display has no Damage extension");
    free(xcb_damage_query_version_reply(x, xcb_damage_query_version(x, 1, 1), nullptr));

    // New top-level windows, and every drawing on the screen: nothing else draws here.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_damage_damage_t damage = xcb_generate_id(x);
    xcb_damage_create(x, damage, root, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    xcb_damage_subtract(x, damage, XCB_NONE, XCB_NONE);
    xcb_flush(x);
    // Let the server settle from our own requests before the clock starts.
    free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));
    while (xcb_generic_event_t* event = xcb_poll_for_event(x))
        free(event);

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[first], nullptr, nullptr, argv + first, environ) != 0)
        fail("cannot start the program");

    xcb_window_t window = XCB_NONE;
    double mappedMs = -1, lastDrawingMs = -1;
    pollfd descriptor{xcb_get_file_descriptor(x), POLLIN, 0};
    for (;;) {
        const double now = millisecondsSince(start);
        if (window != XCB_NONE && now - lastDrawingMs >= quietMs)
            break;
        if (now > timeoutMs)
            break;
        poll(&descriptor, 1, 10);
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_MAP_NOTIFY && window == XCB_NONE) {
                const auto* mapped = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (!mapped->override_redirect) {
                    window = mapped->window;
                    mappedMs = lastDrawingMs = millisecondsSince(start);
                }
            } else if (type == damageExtension->first_event + XCB_DAMAGE_NOTIFY) {
                if (window != XCB_NONE)
                    lastDrawingMs = millisecondsSince(start);
                xcb_damage_subtract(x, damage, XCB_NONE, XCB_NONE);
                xcb_flush(x);
            }
            free(event);
        }
        if (xcb_connection_has_error(x))
            fail("lost the display");
    }

    if (window != XCB_NONE)
        askToClose(x, window);
    int status = 0;
    rusage usage{};
    const Clock::time_point closing = Clock::now();
    while (wait4(child, &status, WNOHANG, &usage) == 0) {
        if (millisecondsSince(closing) > 5000) {
            kill(child, SIGKILL);
            wait4(child, &status, 0, &usage);
            break;
        }
        usleep(5000);
    }
    xcb_disconnect(x);
    if (window == XCB_NONE)
        fail("the program mapped no window in time");
    std::printf("mapped_ms=%.1f settled_ms=%.1f peak_rss_kb=%ld\n", mappedMs, lastDrawingMs,
                usage.ru_maxrss);
    return 0;
}
