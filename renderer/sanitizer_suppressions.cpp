// Under ThreadSanitizer: Embree and the TBB threads it builds with are not instrumented, so their
// own synchronisation is invisible and their allocations look like races. Their reports are
// dropped; races in the renderer's and the plug-in's code are still reported.
#if defined(__SANITIZE_THREAD__)
extern "C" __attribute__((visibility("default"))) const char* __tsan_default_suppressions() {
    return "called_from_lib:libembree3.so.3\n"
           "called_from_lib:libtbb.so.12\n"
           "race:libembree3.so.3\n"
           "race:libtbb.so.12\n";
}
#endif
