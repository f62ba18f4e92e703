#!/usr/bin/env bash
# Installs what Sorix needs (Debian 12, as root), builds it and runs every test, in five phases:
#   native     the Release (-O3) build of the native layers and the benchmarks, as bench/run.sh
#              builds them, so that configuration keeps compiling (no tests: they run below)
#   sanitize   Debug build with AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer:
#              every native test, each alone and then each test executable whole, with the
#              layering probes and the exported gnuplot scripts run by gnuplot
#   windows    optimised cross build with mingw-w64, tests run under Wine inside Xvfb, after a
#              check that no passed test is held open by a process that Wine started for it
#   tsan       the fit, mode and application logic tests (the fit worker's thread and the
#              interface thread's code beside it) under ThreadSanitizer
#   fuzz       the readers' fuzz targets (clang, libFuzzer) briefly over their seeds
# The Windows tests mostly wait on the program under Wine: the tsan phase and the fuzz targets'
# build run beside them, at the lowest priority, and report in their turn.
# The native tests are built and run once, in the sanitizer build; the Windows build runs them
# over optimised layers. The builds other than the Release one compile the layers with -O1 (the
# sanitized tests run about three times as fast as over -O0, for a few per cent more compile
# time) and the tests' own code with -O0, and keep line tables only (-g1): file and line in
# sanitizer reports and backtraces, in a good deal less compile time than full debug information.
# ./test.sh runs all five; ./test.sh native windows runs those only. Builds are incremental in
# build/<name>. The last line sums up the tests of all runs as "N passed, N failed".
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$root"
jobs="$(nproc)"

packages=(
    cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix mingw-w64-tools
    wine wine64 fonts-wine fonts-liberation
    xvfb xauth xdotool x11-apps x11-utils imagemagick libgl1-mesa-dri libxcomposite1
    clang libclang-rt-14-dev
    ccache
    libcerf-dev
    libcminpack-dev
    gnuplot-nox
)

phases=("$@")
if [[ ${#phases[@]} -eq 0 ]]; then phases=(native sanitize windows tsan fuzz); fi
for phase in "${phases[@]}"; do
    case "$phase" in
        native | sanitize | tsan | windows | fuzz) ;;
        *) echo "usage: ./test.sh [native] [sanitize] [tsan] [windows] [fuzz]" >&2; exit 2 ;;
    esac
done

summary=()
declare -A ran=()
total_passed=0
total_failed=0

seconds() { printf '%dm%02ds' $(($1 / 60)) $(($1 % 60)); }

install_packages() {
    local missing=() package
    for package in "${packages[@]}"; do
        if [[ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" != "install ok installed" ]]
        then
            missing+=("$package")
        fi
    done
    if [[ ${#missing[@]} -eq 0 ]]; then
        echo "== packages: all installed"
        return 0
    fi
    echo "== packages: installing ${missing[*]}"
    if [[ "$(id -u)" -ne 0 ]]; then
        echo "test.sh: run as root to install them, or install them yourself" >&2
        return 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q </dev/null && apt-get install -y -q "${packages[@]}" </dev/null
}

# The compiler cache: a run compiles only the files that changed since any earlier run (of any
# build: the same file in two builds with the same flags is compiled once). Precompiled headers
# need the two sloppiness settings to be cached; base_dir (unless configured) lets trees in other
# folders share the cache.
use_ccache() {
    command -v ccache >/dev/null || return 0
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
    export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
    if [[ -z "$(ccache -k base_dir 2>/dev/null)" ]]; then export CCACHE_BASEDIR="$root"; fi
}

# -O1 and line tables only, in place of the Debug and RelWithDebInfo types' own flags. The line
# tables name files from the source folder, not by their full paths: the compiler cache then
# serves clones of the project in other folders too (with debug information it otherwise keys
# each object to its build folder).
debug_paths="-fdebug-prefix-map=$root=."
if [[ "$root" == *" "* ]]; then debug_paths=""; fi  # a blank would split the flag
line_tables=("-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1 $debug_paths"
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG $debug_paths")

# build NAME BUILD_TYPE [CMAKE_ARGS...]: configures and builds build/NAME, output in its log file.
# With build_targets set (names apart by blanks), only those targets are built.
build_targets=""
build() {
    local name="$1" type="$2" dir="build/$1" log="build/$1.log" targets=()
    shift 2
    if [[ -n "$build_targets" ]]; then read -ra targets <<<"--target $build_targets"; fi
    mkdir -p build
    echo "== $name: configure and build ($type)"
    if ! { cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" \
        -DCMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-}" \
        -DCMAKE_C_COMPILER_LAUNCHER="${CMAKE_C_COMPILER_LAUNCHER:-}" "${line_tables[@]}" "$@" &&
        cmake --build "$dir" -j "$jobs" "${targets[@]}"; } >"$log" 2>&1 </dev/null; then
        cat "$log"
        echo "== $name: build FAILED (log: $log)"
        return 1
    fi
}

# run_tests NAME COMMAND...: runs ctest through COMMAND and counts its results.
passed=0
failed=0
run_tests() {
    local name="$1" log="build/$1-ctest.log" line
    shift
    echo "== $name: tests"
    "$@" -j "$jobs" --output-on-failure --timeout 300 </dev/null 2>&1 | tee "$log"
    local status=${PIPESTATUS[0]}
    line="$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)"
    if [[ -z "$line" ]]; then
        # No tests found, or ctest did not get that far: that is a failure, not a pass.
        passed=0
        failed=1
        return 1
    fi
    local total
    failed="$(sed -E 's/.* ([0-9]+) tests? failed out of.*/\1/' <<<"$line")"
    total="$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")"
    passed=$((total - failed))
    [[ $status -eq 0 && $failed -eq 0 ]]
}

# What a phase adds to its summary line (empty for most).
phase_note=""
phase() {
    local name="$1" start=$SECONDS result
    passed=0
    failed=0
    phase_note=""
    if "phase_$name"; then result=pass; else result=FAIL; fi
    ran[$name]=1
    if [[ $result == FAIL && $failed -eq 0 ]]; then failed=1; fi
    total_passed=$((total_passed + passed))
    total_failed=$((total_failed + failed))
    summary+=("$(printf '%-9s %-4s  %3d passed, %3d failed  %s%s' "$name" "$result" "$passed" \
        "$failed" "$(seconds $((SECONDS - start)))" "${phase_note:+  $phase_note}")")
}

# No tests here (the sanitizer build runs them): the Release build that bench/run.sh times.
phase_native() {
    build_targets=benchmarks build bench Release -DSORIX_TESTS=OFF -DSORIX_BENCH=ON
}

# whole_executables NAME: runs each test executable of build/NAME once with all its tests in one
# process and adds the executables to the counts. ctest runs each native test case in a process
# of its own, which hides tests that leave state behind for later ones (a registered observer
# pointing into a finished test, say); the Windows run starts each executable once. As many run
# at a time as there are cores, each with a log of its own (build/NAME-whole/).
whole_executables() {
    local name="$1" logs="build/$1-whole" exe exes=() pids=() status=0
    echo "== $name: each test executable whole"
    mapfile -t exes < <(find "build/$name/tests" -type f -executable -name '*_tests' | sort)
    if [[ ${#exes[@]} -eq 0 ]]; then
        echo "FAILED: no test executables in build/$name/tests"
        failed=$((failed + 1))
        return 1
    fi
    rm -rf "$logs"
    mkdir -p "$logs"
    for exe in "${exes[@]}"; do
        while [[ ${#pids[@]} -ge $jobs ]]; do
            wait -n "${pids[@]}"
            mapfile -t pids < <(for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && echo "$pid"; done)
        done
        { "$exe" --gtest_brief=1 </dev/null >"$logs/${exe##*/}.log" 2>&1
          echo $? >"$logs/${exe##*/}.status"; } &
        pids+=($!)
    done
    wait "${pids[@]}"
    for exe in "${exes[@]}"; do
        if [[ "$(cat "$logs/${exe##*/}.status")" == 0 ]]; then
            echo "passed: $exe"
            passed=$((passed + 1))
        else
            cat "$logs/${exe##*/}.log"
            echo "FAILED: $exe"
            failed=$((failed + 1))
            status=1
        fi
    done
    return $status
}

phase_sanitize() {
    # The exported gnuplot scripts are run by gnuplot here: the build must find it.
    build sanitize Debug -DSORIX_SANITIZE=ON -DSORIX_REQUIRE_GNUPLOT=ON || return 1
    export UBSAN_OPTIONS=print_stacktrace=1
    # Leaks fail a test: LeakSanitizer reports them at exit with a non-zero code. Said here, not
    # left to the default, which the environment may have turned off (tests/sanitize checks it).
    export ASAN_OPTIONS=detect_leaks=1
    local status=0 ctest_passed ctest_failed
    run_tests sanitize ctest --test-dir build/sanitize || status=1
    ctest_passed=$passed
    ctest_failed=$failed
    passed=0
    failed=0
    whole_executables sanitize || status=1
    passed=$((passed + ctest_passed))
    failed=$((failed + ctest_failed))
    return $status
}

# The tests of the code the fit worker's thread meets, each executable whole in one process under
# ThreadSanitizer: the fit driver and the logic of the modes and the application that runs on
# the interface thread while a fit runs (native builds of those layers). Each test counts.
tsan_tests=(fit_tests modes_tests app_tests)
phase_tsan() {
    if [[ -n "${beside[tsan]:-}" ]]; then join_beside tsan; return; fi
    tsan_build_and_run
}

tsan_build_and_run() {
    build_targets="${tsan_tests[*]}" build tsan RelWithDebInfo -DSORIX_TSAN=ON || return 1
    local log status=0 test count exe
    for test in "${tsan_tests[@]}"; do
        log="build/tsan-$test.log"
        echo "== tsan: $test"
        exe="$(find build/tsan/tests -type f -executable -name "$test" | head -n 1)"
        echo "$test: not built" >"$log"
        if [[ -z "$exe" ]] || ! TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" "$exe" \
            --gtest_brief=1 </dev/null >"$log" 2>&1; then
            status=1
            cat "$log"
            count="$(sed -nE 's/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' "$log")"
            failed=$((failed + ${count:-1}))
        fi
        count="$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?.*/\1/p' "$log")"
        passed=$((passed + ${count:-0}))
    done
    return $status
}

phase_windows() {
    build windows RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" ||
        return 1
    if wanted tsan; then start_beside tsan tsan_build_and_run; fi
    if wanted fuzz; then start_beside fuzz fuzz/run.sh 0; fi
    # First the check that wine-ctest.sh keeps a passed test from being held open by a process
    # that Wine started for it (about 15 s), then the tests; the check counts as one test.
    echo "== windows: desktop check"
    local checked=1
    tests/wine/desktop_check.sh build/windows </dev/null || checked=0
    run_tests windows cmake/wine-ctest.sh build/windows
    local status=$? retries
    passed=$((passed + checked))
    if [[ $checked -eq 0 ]]; then failed=$((failed + 1)) status=1; fi
    # The end-to-end driver starts the program again when Wine could not create its process
    # (rare, under load); each try is a line of the scenario's log.
    retries="$(grep -c '^start retried:' build/windows/Testing/Temporary/LastTest.log 2>/dev/null)"
    phase_note="${retries:-0} start retries"
    return $status
}

# Each target runs 30 s over its seeds, all at once; one line per target says clean or FAILED.
phase_fuzz() {
    local log=build/fuzz-run.log
    mkdir -p build
    if [[ -n "${beside[fuzz]:-}" ]]; then join_beside fuzz || return 1; fi
    echo "== fuzz: each reader for 30 s"
    fuzz/run.sh 30 </dev/null 2>&1 | tee "$log"
    local status=${PIPESTATUS[0]}
    passed="$(grep -c ': clean' "$log")"
    failed="$(grep -c ': FAILED' "$log")"
    [[ $status -eq 0 ]]
}

# wanted NAME: the phase is asked for and has not run yet.
wanted() {
    [[ -z "${ran[$1]:-}" ]] && [[ " ${phases[*]} " == *" $1 "* ]]
}

# start_beside NAME COMMAND...: runs COMMAND in the background at the lowest priority, its output
# in build/NAME-beside.log, then its result and counts in build/NAME-beside.result.
declare -A beside=()
start_beside() {
    local name="$1"
    shift
    echo "== $name: started beside the Windows tests"
    # A result left by an earlier run must not stand for this one if the job dies before writing.
    rm -f "build/$name-beside.result"
    (
        passed=0
        failed=0
        renice -n 19 "$BASHPID" >/dev/null
        "$@"
        echo "$? $passed $failed" >"build/$name-beside.result"
    ) >"build/$name-beside.log" 2>&1 </dev/null &
    beside[$name]=$!
}

# join_beside NAME: waits for the phase started beside, shows its output and takes its counts.
join_beside() {
    local name="$1" status
    wait "${beside[$name]}"
    unset "beside[$name]"
    cat "build/$name-beside.log"
    if ! read -r status passed failed <"build/$name-beside.result"; then
        status=1 passed=0 failed=1
    fi
    return "$status"
}

start=$SECONDS
if ! install_packages; then
    echo "== packages: install FAILED"
    echo "0 passed, 1 failed"
    exit 1
fi
packages_time=$((SECONDS - start))
use_ccache

for name in "${phases[@]}"; do phase "$name"; done

echo
echo "== summary"
echo "packages            $(seconds $packages_time)"
printf '%s\n' "${summary[@]}"
echo "total               $(seconds $((SECONDS - start)))"
echo "$total_passed passed, $total_failed failed"
[[ $total_failed -eq 0 ]]
