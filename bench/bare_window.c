/* The floor: a bare Xlib window of the calculator's size that maps, draws once
   and closes when asked. */

#include <X11/Xlib.h>
#include <X11/Xutil.h>

int main(void) {
    Display* display = XOpenDisplay(NULL);
    if (!display)
        return 1;
    const int screen = DefaultScreen(display);
    const Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 255, 204, 0,
                            BlackPixel(display, screen), WhitePixel(display, screen));
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    XStoreName(display, window, "floor");
    XSelectInput(display, window, ExposureMask);
    XMapWindow(display, window);
    const GC gc = DefaultGC(display, screen);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == Expose && event.xexpose.count == 0) {
            XFillRectangle(display, window, gc, 8, 8, 241, 25);
            XDrawString(display, window, gc, 8, 60, "floor", 5);
            XFlush(display);
        } else if (event.type == ClientMessage && (Atom)event.xclient.data.l[0] == deleteWindow) {
            break;
        }
    }
    XCloseDisplay(display);
    return 0;
}
