// orbitrand-desktop-guard: puts the desktop's display mode back when the
// program that started it ends in a mode of its own without doing so itself
// (killed, crashed), as Windows does for a mode set with CDS_FULLSCREEN
// however the process ends.
//
// The program holds the other end of this process's standard input and
// output (a socket pair) and sends one byte for each change:
//   's'  it is about to leave the desktop mode: the screen's layout (its size,
//        and each CRTC's mode, place, rotation and outputs) is saved, and one
//        byte back tells the program that it is;
//   'd'  the desktop mode is back: there is nothing to restore.
// When the input ends (the kernel closes the program's end however the
// program ended) a saved layout that the screen no longer has is put back.
//
// It runs in a session of its own, so that a Ctrl+C at the terminal, which
// ends the program, leaves it to do its work. When the X server has gone
// away there is no screen left to restore: it ends without a word, as soon as
// it would have talked to the server.
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "platform/x11/screen_layout.h"

int main() {
  signal(SIGPIPE, SIG_IGN);  // a program that is gone cannot be answered
  XSetIOErrorHandler([](Display*) -> int { _exit(0); });
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  std::optional<platform::ScreenLayout> saved;
  for (;;) {
    char request = 0;
    const ssize_t got = read(STDIN_FILENO, &request, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got != 1) break;
    if (request == 's') {
      saved = platform::readScreenLayout(display);
      const char ready = 'r';
      // A program that no longer waits for the answer has gone on without
      // the guard, perhaps already in its own mode: nothing is ours to undo.
      if (write(STDOUT_FILENO, &ready, 1) != 1) return 0;
    } else if (request == 'd') {
      saved.reset();
    }
  }
  if (saved) platform::applyScreenLayout(display, *saved);
  XCloseDisplay(display);
  return 0;
}
