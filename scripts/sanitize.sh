#!/bin/bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ (or
# $LUMERA_ASAN_BUILD_DIR) and runs the whole test suite there. Any report fails the run: the
# undefined-behaviour checks stop at the first finding, and leaks count, apart from those of
# the system libraries listed in tests/sanitizers/lsan.supp.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/compiler-cache.sh
build=${LUMERA_ASAN_BUILD_DIR:-build-asan}
# Line tables are all the reports need (-g1): full debug information would make the build
# half as long again.
cmake -S . -B "$build" -G Ninja -DLUMERA_SANITIZE=ON -DLUMERA_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1 >/dev/null
cmake --build "$build"
supp=$PWD/tests/sanitizers
# The browser engine inside QtWebEngine frees some of its objects through a base of another
# size; that is its own affair, so the size check of delete is off. The preloaded library
# below comes before the sanitizer's runtime, which is fine: it replaces no allocation call.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:new_delete_type_mismatch=0:verify_asan_link_order=0"
# From Qt 6.8 on, the engine leaves a GL fallback surface of Qt's at exit. The quick unwinder
# stops inside Qt, short of the engine's library its suppression names, so the allocations are
# traced in full there (the suite takes about twice as long).
qt_version=$(basename -a /usr/lib/*/libQt6Core.so.6.* 2>/dev/null | head -1 | sed 's/^libQt6Core\.so\.//' || true)
if [[ -n $qt_version && $(printf '6.8\n%s\n' "$qt_version" | sort -V | head -1) == 6.8 ]]; then
    ASAN_OPTIONS+=":fast_unwind_on_malloc=0"
fi
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
keep_loaded=$(cd "$build" && pwd)/keep_libraries_loaded.so
cc -shared -fPIC -O2 -o "$keep_loaded" "$supp/keep_libraries_loaded.c"
export LD_PRELOAD=$keep_loaded
LUMERA_BUILD_DIR=$build scripts/with-display.sh scripts/ctest.sh "$@" && exit 0
# Now and then the leak checker's own thread tracer crashes as a program ends ("Tracer caught
# signal 11 ... LeakSanitizer has encountered a fatal error"), a known fault of the sanitizer
# runtime that says nothing of the program. When that is the only failure in the run's log (no
# report, no failed check), the failed cases run once more; any other failure stands.
log=$build/Testing/Temporary/LastTest.log
if grep -q 'LeakSanitizer has encountered a fatal error' "$log" &&
    ! grep -qE 'ERROR: (Leak|Address)Sanitizer|runtime error:|^FAIL:|\[  FAILED  \]' "$log"; then
    echo "The leak checker's tracer crashed; the cases that failed run once more."
    LUMERA_BUILD_DIR=$build exec scripts/with-display.sh scripts/ctest.sh --rerun-failed "$@"
fi
exit 1
