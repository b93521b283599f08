#!/usr/bin/env bash
# Draws a fixed set of configurations with a built fieldlines and keeps what
# each one gives (the CSV of every line and dot, or the message and exit
# code), so that two builds can be compared file by file. A restructuring
# must leave every file byte-identical; a change of the pictures shows up as
# exactly the configurations it touches.
#
#   tests/scenarios/scenarios.sh list                 the configurations, one per line
#   tests/scenarios/scenarios.sh record FIELDLINES DIR
#   tests/scenarios/scenarios.sh compare DIR_BEFORE DIR_AFTER
#
# The list is made by a seeded generator: the same on every machine and in
# every run. Each line is: name, mode (single or two), charge 1, charge 2.
set -euo pipefail

list() {
    # The benchmark scenarios first, by name.
    cat <<'LIST'
single single 0,0,10 15,0,-10
like two -15,0,10 15,0,10
default two -15,0,10 15,0,-10
unlike_a two -15,0,10 15,0,-5
unlike_c two -15,0,5 15,0,-10
vertical_b two 0,-10,10 0,10,-10
near_equal two -15,0,10 15,0,-9.9
LIST
    # Then 300 seeded configurations, cycling through the kinds: single,
    # like, unlike with charge 1 stronger, equal and weaker, one above the
    # other, charges close together, charges far apart or outside the plot,
    # and charges at the same height.
    awk 'BEGIN {
        seed = 20261208
        for (i = 0; i < 300; ++i) {
            kind = i % 9
            x1 = coord(45); y1 = coord(25); x2 = coord(45); y2 = coord(25)
            if (x2 < x1) { t = x1; x1 = x2; x2 = t }
            q1 = amount(); q2 = amount()
            mode = "two"
            if (kind == 0) { mode = "single" }
            else if (kind == 1) { q2 = sgn(q1) * abs(q2) }
            else if (kind == 2) { q2 = -sgn(q1) * abs(q2) * 0.5 }
            else if (kind == 3) { q2 = -q1 }
            else if (kind == 4) { q2 = -sgn(q1) * abs(q1) * 2 }
            else if (kind == 5) { x2 = x1; if (y2 == y1) y2 = y1 + 7 }
            else if (kind == 6) { x2 = x1 + 0.5 + int(rnd() * 60) / 10; y2 = y1 + int(rnd() * 40 - 20) / 10 }
            else if (kind == 7) { x1 = -45 - int(rnd() * 300) / 10; x2 = 45 + int(rnd() * 300) / 10 }
            else { y2 = y1 }
            printf "r%03d %s %s,%s,%s %s,%s,%s\n", i, mode, n(x1), n(y1), n(q1), n(x2), n(y2), n(q2)
        }
    }
    function rnd() { seed = (seed * 16807) % 2147483647; return seed / 2147483647 }
    function coord(limit) { return int(rnd() * 20 * limit - 10 * limit) / 10 }
    function amount() { a = (1 + int(rnd() * 200)) / 10; return rnd() < 0.5 ? -a : a }
    function sgn(v) { return v < 0 ? -1 : 1 }
    function abs(v) { return v < 0 ? -v : v }
    function n(v) { s = sprintf("%.1f", v); return s == "-0.0" ? "0.0" : s }'
}

record() {
    local fieldlines=$1 dir=$2
    mkdir -p "$dir"
    local name mode c1 c2 single code
    while read -r name mode c1 c2; do
        single=()
        [ "$mode" = single ] && single=(--single)
        code=0
        QT_QPA_PLATFORM=offscreen "$fieldlines" "${single[@]}" --charge1="$c1" --charge2="$c2" \
            --output "$dir/$name.csv" 2>"$dir/$name.err" || code=$?
        echo "$code" >"$dir/$name.code"
    done < <(list)
    echo "recorded $(list | wc -l) configurations in $dir"
}

compare() {
    local before=$1 after=$2 same=0 differ=0 name mode c1 c2 f
    while read -r name mode c1 c2; do
        local changed=0
        for f in "$name.csv" "$name.err" "$name.code"; do
            if [ -e "$before/$f" ] || [ -e "$after/$f" ]; then
                cmp -s "$before/$f" "$after/$f" || changed=1
            fi
        done
        if [ "$changed" -eq 0 ]; then
            same=$((same + 1))
        else
            differ=$((differ + 1))
            echo "differs: $name $mode $c1 $c2"
        fi
    done < <(list)
    echo "$same identical, $differ different"
    [ "$differ" -eq 0 ]
}

case "${1:-}" in
list) list ;;
record) record "${2:?fieldlines}" "${3:?dir}" ;;
compare) compare "${2:?before}" "${3:?after}" ;;
*) echo "usage: $0 list | record FIELDLINES DIR | compare BEFORE AFTER" >&2; exit 2 ;;
esac
