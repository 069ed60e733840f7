/* Asks an X window to close, as a window manager's close button does:
 * a WM_DELETE_WINDOW client message.    close_window WINDOW_ID */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fputs("usage: close_window WINDOW_ID\n", stderr);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fputs("close_window: no display\n", stderr);
        return 1;
    }
    Window window = (Window)strtoul(argv[1], NULL, 0);
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
    return 0;
}
