// Linked into every program of the sanitizer build, and only there: a
// dlclose that leaves the library loaded.
//
// LeakSanitizer checks at the very end of the process and names the library
// of each frame of a leak's stack from what is mapped at that moment. A
// library unloaded before then (a driver or plugin that its loader closes
// early, with every library that only it had pulled in) leaves its frames as
// "<unknown module>", and a suppression by library name cannot match them.
// The same leak of a system library is then suppressed on one machine and
// fails the run on another, depending only on which of its modules a
// machine's drivers and plugins happen to close. With every library kept
// mapped, a report reads the same on every machine. Tallyvane's own code is
// in the executable, which is never unloaded, so none of it is hidden.
extern "C" int dlclose(void* /*handle*/) noexcept { return 0; }
