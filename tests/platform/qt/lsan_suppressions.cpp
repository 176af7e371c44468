// fontconfig keeps its font cache until the process ends; Qt loads it when a dialog is
// shown. LeakSanitizer asks for this hook when the tests are built with it.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
