// Linked into the tests of a sanitizer build: the leak checker ignores what
// fontconfig keeps for the life of the process (Qt asks it for fonts).
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
