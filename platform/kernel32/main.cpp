// The process entry point: hands over to the program's WinMain with a module
// handle of its own, no previous instance, the command line and the default
// show command, as the Windows start-up code does.
#include <string>

#include "platform/win32.h"

int main(int argc, char** argv) {
  static const char module = 0;  // stands for the executable's module
  std::string commandLine;
  for (int k = 1; k < argc; ++k) commandLine += (k > 1 ? " " : "") + std::string(argv[k]);
  return WinMain(reinterpret_cast<HINSTANCE>(const_cast<char*>(&module)), nullptr,
                 commandLine.data(), SW_SHOWDEFAULT);
}
