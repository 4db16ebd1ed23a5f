// Options for the sanitized test binaries, built in so that every way of running them gets the
// same: leaks are reported, except allocations that the graphics and windowing libraries keep for
// the life of the process.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)

#include <dlfcn.h>

#include <initializer_list>

// The OpenGL driver, unloaded when the last window closes, would leave its allocations to an
// unknown module, out of reach of the suppressions below: kept loaded, they stay attributable.
[[maybe_unused]] static const bool graphicsDriversKeptLoaded = [] {
  for (const char* library : {"libGLX_mesa.so.0", "libGL.so.1", "libGLU.so.1",
                              "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"})
    dlopen(library, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
  return true;
}();

// Without tracking the graphics driver's dynamic thread-local blocks: the leak check at exit,
// scanning them while the driver's threads come and go, once read a block that was no longer there
// and crashed ("Tracer caught signal 11"). What the driver allocates is suppressed below anyway.
extern "C" const char* __asan_default_options() {
  return "detect_leaks=1:intercept_tls_get_addr=0";
}

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libGLX_mesa\nleak:libGL.so\nleak:libGLX.so\nleak:libGLdispatch\nleak:swrast_"
         "dri\nleak:libgallium\n"
         "leak:libLLVM\nleak:libSDL2\nleak:libX11\nleak:libxcb\nleak:libfontconfig\nleak:libdbus\n";
}

extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }

#endif
#endif
