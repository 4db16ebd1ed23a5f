// Options for the sanitized test binaries, built in so that every way of
// running them gets the same: leaks are reported, except allocations that the
// graphics and windowing libraries keep for the life of the process.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)

extern "C" const char* __asan_default_options() { return "detect_leaks=1"; }

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libGLX_mesa\n"
         "leak:libGL.so\n"
         "leak:libGLX.so\n"
         "leak:libGLdispatch\n"
         "leak:swrast_dri\n"
         "leak:libgallium\n"
         "leak:libLLVM\n"
         "leak:libSDL2\n"
         "leak:libX11\n"
         "leak:libxcb\n"
         "leak:libfontconfig\n"
         "leak:libdbus\n";
}

extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }

#endif
#endif
