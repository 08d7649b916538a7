// Defaults of the sanitizer runtime for the sanitizer build, linked into every program and test
// so that a run by hand behaves as under ./test. ASAN_OPTIONS and LSAN_OPTIONS still override them.
//
// intercept_tls_get_addr=0: the runtime's tracking of dynamic thread-local storage guesses the
// extent of a TLS block that glibc allocated with malloc from the glibc 2.19 block header, and
// takes any block that happens to start 16 bytes past a page boundary for one. When velmora-tally
// loads its PDF module (and Qt with it) at run time, such a block reads as a nonsense range and
// the leak check at exit crashes on it ("Tracer caught signal 11"), depending only on how the
// heap happened to be laid out. Without the tracking, those blocks are ordinary heap blocks that
// the thread's DTV points at, so the leak check still scans and checks them.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
