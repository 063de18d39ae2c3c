// Debian's psqlODBC driver leaks a statement buffer when the server rejects a
// prepared statement; that is the driver's, not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:psqlodbcw.so\n"; }
