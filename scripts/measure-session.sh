# Sourced by a measuring script, with the build targets it needs, once it has set source_dir and
# build_dir: builds them (where build_dir is a configured build; a program folder of another
# build, an older Korvid say, is measured as it is) and runs the script again inside the test
# runner's private session (a virtual display, a private HOME and session bus). There it sets
# what the end-to-end harness needs and sources it.
if [[ -z ${LUMERA_MEASURE_INNER:-} ]]; then
    if [[ -f $build_dir/CMakeCache.txt ]]; then
        nice cmake --build "$build_dir" --target "$@" >/dev/null
    fi
    exec env LUMERA_MEASURE_INNER=1 "$source_dir/scripts/test-env.sh" display bash "$0" "$build_dir"
fi
export LUMERA_PROGRAM_DIR=$build_dir/bin LUMERA_SOURCE_DIR=$source_dir
export LUMERA_E2E_OUTPUT=$build_dir/memory-output
source "$source_dir/tests/e2e/lib.sh"
