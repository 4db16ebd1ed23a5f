// The desktop guard's program side: starts orbitrand-desktop-guard from the
// folder of the running executable at the first change of display mode, and
// tells it when the desktop mode is left and when it is back. The connection
// is a socket pair, closed only by the process's end; writes never raise
// SIGPIPE, so a guard that is gone costs the program nothing but the promise.
#include "platform/x11/desktop_guard.h"

#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <string>

extern char** environ;

namespace platform {
namespace {

constexpr char kGuardName[] = "orbitrand-desktop-guard";
constexpr int kReadyLimitMs = 2000;

int guard = -1;  // our end of the connection
bool unavailable = false;

std::string guardPath() {
  char self[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self);
  if (length <= 0 || length >= static_cast<ssize_t>(sizeof self)) return {};
  const std::string program(self, static_cast<size_t>(length));
  return program.substr(0, program.rfind('/') + 1) + kGuardName;
}

// The guard in a session of its own, with the default signal handling, its
// standard input and output on the far end of the socket pair and no other
// file of ours open (it must not keep a pipe to our parent alive).
int startGuard() {
  const std::string path = guardPath();
  int ends[2];
  if (path.empty() || socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t signals;
  sigfillset(&signals);
  posix_spawnattr_setsigdefault(&attributes, &signals);
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&attributes, &signals);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  char* arguments[] = {const_cast<char*>(kGuardName), nullptr};
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, path.c_str(), &actions, &attributes, arguments, environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  close(ends[1]);
  if (failed) {
    close(ends[0]);
    return -1;
  }
  return ends[0];
}

bool tell(char request) { return send(guard, &request, 1, MSG_NOSIGNAL) == 1; }

bool awaitReady() {
  pollfd answer{guard, POLLIN, 0};
  char ready = 0;
  return poll(&answer, 1, kReadyLimitMs) == 1 && recv(guard, &ready, 1, 0) == 1;
}

void giveUp() {
  if (guard >= 0) close(guard);
  guard = -1;
  unavailable = true;
}

}  // namespace

void guardDesktopMode() {
  if (unavailable) return;
  if (guard < 0 && (guard = startGuard()) < 0) return giveUp();
  if (!tell('s') || !awaitReady()) giveUp();
}

void desktopModeBack() {
  if (guard >= 0 && !tell('d')) giveUp();
}

}  // namespace platform
