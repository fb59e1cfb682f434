/* xclose <window-id>: asks an X11 window to close, as its close box would, by sending
 * it the WM_DELETE_WINDOW protocol message. Exit status 0 when the message was sent. */

#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>

static int gFailed = 0;

static int OnError(Display* display, XErrorEvent* error) {
  (void)display;
  (void)error;
  gFailed = 1;
  return 0;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: xclose <window-id>\n");
    return 2;
  }
  char* end = NULL;
  const Window window = (Window)strtoul(argv[1], &end, 0);
  if (*end != '\0' || window == 0) {
    fprintf(stderr, "xclose: not a window id: %s\n", argv[1]);
    return 2;
  }
  Display* display = XOpenDisplay(NULL);
  if (!display) {
    fprintf(stderr, "xclose: cannot open display\n");
    return 1;
  }
  XSetErrorHandler(OnError);
  XEvent event = {0};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  XCloseDisplay(display);
  if (gFailed) fprintf(stderr, "xclose: no such window: %s\n", argv[1]);
  return gFailed;
}
