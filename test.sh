#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole suite headless.
#   ./test.sh                 the suite in build/, with the browser edition
#                             in build-web/ and its tests (label web)
#   ./test.sh --sanitize      the suite with AddressSanitizer and
#                             UndefinedBehaviorSanitizer, in build-sanitize/
#                             (without the browser edition)
#   ./test.sh --fuzz SECONDS  builds the fuzzers with clang and runs each
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

export QT_QPA_PLATFORM=offscreen

case "${1:-}" in
"")
    install_packages
    build_in build
    # The browser edition and its driver, for the tests labelled web.
    build_web
    install_web_test_tools
    ctest --test-dir build --output-on-failure -j2
    ;;
--sanitize)
    install_packages
    build_in build-sanitize -DFIELDLINES_SANITIZE=ON
    # Leaks inside the system libraries that Qt loads are suppressed by name
    # (tests/lsan.supp); any other leak, memory error or undefined behaviour
    # fails its test.
    ASAN_OPTIONS=detect_leaks=1 \
    LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir build-sanitize --output-on-failure -j2
    ;;
--fuzz)
    seconds=${2:?usage: ./test.sh --fuzz SECONDS}
    install_packages clang libclang-rt-14-dev
    # Only the fuzzers and what they link are built here.
    cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DFIELDLINES_FUZZ=ON >/dev/null
    cmake --build build-fuzz -j"$(nproc)" --target fuzzers
    for fuzzer in build-fuzz/fuzz/fuzz_*; do
        [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue
        name=$(basename "$fuzzer")
        corpus="build-fuzz/corpus/$name"
        mkdir -p "$corpus"
        echo "== $name for ${seconds}s"
        # New inputs go into the corpus folder; the seeds are only read.
        "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -dict="fuzz/$name.dict" \
            -artifact_prefix="build-fuzz/$name-" "$corpus" "fuzz/seeds/$name"
    done
    ;;
*)
    echo "usage: ./test.sh [--sanitize | --fuzz SECONDS]" >&2
    exit 2
    ;;
esac
