#!/usr/bin/env bash
# Builds the fuzz targets and runs each for SECONDS over its seeds, all at once (one core each):
#   fuzz/run.sh SECONDS [TARGET...]      targets: text jcamp opus records models layers osml
#                                        project
#   (default all; 0 seconds builds them only)
# Seeds are the test files in ../shared/testdata and fuzz/seeds; inputs found to add coverage
# are kept in the build's corpus folder, crashes in its artifacts folder. FUZZ_BUILD overrides
# the build folder (build/fuzz). A single allocation above 512 MB counts as a crash: readers
# check every count against the bytes they are given before they allocate for it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:?usage: fuzz/run.sh SECONDS [TARGET...]}"
shift
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(text jcamp opus records models layers osml project)
build="${FUZZ_BUILD:-$root/build/fuzz}"
testdata="${SORIX_TESTDATA:-$root/../shared/testdata}"

mkdir -p "$build"
# Files named from the source folder in the line tables, as test.sh builds them (for the cache).
debug_paths="-fdebug-prefix-map=$root=."
if [[ "$root" == *" "* ]]; then debug_paths=""; fi
if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG $debug_paths" \
    -DSORIX_FUZZ=ON -DSORIX_TESTS=OFF &&
    cmake --build "$build" --target "${targets[@]/#/fuzz_}"; } >"$build/build.log" 2>&1; then
    cat "$build/build.log" >&2
    exit 1
fi
[[ "$seconds" != 0 ]] || exit 0

seeds() {
    case "$1" in
        text) echo "$root/fuzz/seeds/text $testdata/nist" ;;
        jcamp) echo "$root/fuzz/seeds/jcamp $testdata/jcamp" ;;
        opus) echo "$root/fuzz/seeds/opus $testdata/opus" ;;
        records) echo "$root/fuzz/seeds/records" ;;
        models) echo "$root/fuzz/seeds/models" ;;
        layers) echo "$root/fuzz/seeds/layers" ;;
        osml) echo "$root/fuzz/seeds/osml" ;;
        project) echo "$root/fuzz/seeds/project" ;;
    esac
}

pids=()
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus" "$build/artifacts"
    # shellcheck disable=SC2046
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -malloc_limit_mb=512 -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
        "$corpus" $(seeds "$target") >"$build/$target.log" 2>&1 &
    pids+=($!)
done

status=0
for i in "${!pids[@]}"; do
    if wait "${pids[$i]}"; then
        echo "fuzz ${targets[$i]}: clean ($(grep -m1 -o 'stat::number_of_executed_units: [0-9]*' \
            "$build/${targets[$i]}.log" | grep -o '[0-9]*$') runs in ${seconds} s)"
    else
        echo "fuzz ${targets[$i]}: FAILED, see $build/${targets[$i]}.log" >&2
        status=1
    fi
done
exit $status
