#!/usr/bin/env bash
# Builds everything with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan and runs the whole test suite there. Any finding fails its
# test; leaks inside Qt, fontconfig and SDL are suppressed
# (scripts/lsan-suppressions.txt), never our own.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing_packages
ASAN_BUILD="$REPO/build-asan"
# shellcheck disable=SC2046
CC=clang CXX=clang++ cmake -S "$REPO" -B "$ASAN_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDICT_SANITIZE=ON -DDICT_BUILD_BENCHMARKS=OFF $(compiler_launcher) >/dev/null
cmake --build "$ASAN_BUILD" -j"$(nproc)"

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$REPO/scripts/lsan-suppressions.txt:print_suppressions=0"
cd "$ASAN_BUILD"
ctest --output-on-failure -j"$(nproc)" --timeout 900
