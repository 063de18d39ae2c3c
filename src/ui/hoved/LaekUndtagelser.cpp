// Linked into the window program only when it is built with the sanitizers.
// Qt's D-Bus thread (the platform theme and accessibility talk to the desktop
// bus) reads into a buffer of libdbus that only dbus_shutdown() frees, and Qt
// never calls it; that is the library's, not ours. Everything of our own must
// be freed by the time the program ends.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
