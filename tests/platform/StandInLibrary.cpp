// A library that lives only beside the platform tests, off the system's
// search path, for the run-time loading tests.
extern "C" __attribute__((visibility("default"))) int StandInEntry() {
    return 42;
}
