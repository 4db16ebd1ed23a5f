#include "tests/support/xdotool.h"

#include <sys/wait.h>

#include <cstdio>
#include <stdexcept>

std::string xdotool(const std::string& arguments) {
  const std::string command = "xdotool " + arguments;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("could not run: " + command);
  std::string output;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
  const int status = pclose(pipe);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error("failed: " + command);
  return output;
}
