#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole suite headless.
#   ./test.sh                 the suite in build/
#   ./test.sh --sanitize      the suite with AddressSanitizer and
#                             UndefinedBehaviorSanitizer, in build-sanitize/
#   ./test.sh --fuzz SECONDS  builds the fuzzers with clang and runs each
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

export QT_QPA_PLATFORM=offscreen

case "${1:-}" in
"")
    install_packages
    build_in build
    ctest --test-dir build --output-on-failure -j2
    ;;
--sanitize)
    install_packages
    build_in build-sanitize -DFIELDLINES_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir build-sanitize --output-on-failure -j2
    ;;
--fuzz)
    seconds=${2:?usage: ./test.sh --fuzz SECONDS}
    install_packages clang libclang-rt-14-dev
    CXX=clang++ build_in build-fuzz -DFIELDLINES_FUZZ=ON
    for fuzzer in build-fuzz/fuzz/fuzz_*; do
        [ -x "$fuzzer" ] || continue
        corpus="build-fuzz/corpus/$(basename "$fuzzer")"
        mkdir -p "$corpus"
        echo "== $(basename "$fuzzer") for ${seconds}s"
        "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 "$corpus" fuzz/seeds
    done
    ;;
*)
    echo "usage: ./test.sh [--sanitize | --fuzz SECONDS]" >&2
    exit 2
    ;;
esac
