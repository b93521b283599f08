#!/usr/bin/env bash
# Times the whole headless renderer as a user runs it: the default picture
# written to a PNG, 20 runs, and prints the median wall time.
#   bench/process_time.sh [FIELDLINES]    default: build/src/app/fieldlines
set -euo pipefail

if [ $# -gt 0 ]; then
    program=$(realpath "$1")
else
    program=$(realpath "$(dirname "$0")/../build/src/app/fieldlines")
fi
runs=20
[ -x "$program" ] || { echo "no program at $program: build it first (./test.sh)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

times=()
for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$program" --output "$work/default.png"
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000 )))  # microseconds
done
[ -s "$work/default.png" ] || { echo "no picture was written" >&2; exit 1; }

printf '%s\n' "${times[@]}" | sort -n | awk -v runs="$runs" '
    { t[NR] = $1 }
    END {
        median = (runs % 2) ? t[(runs + 1) / 2] : (t[runs / 2] + t[runs / 2 + 1]) / 2
        printf "fieldlines --output default.png: median %.1f ms of %d runs (fastest %.1f, slowest %.1f)\n",
            median / 1000, runs, t[1] / 1000, t[runs] / 1000
    }'
