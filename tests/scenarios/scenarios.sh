#!/usr/bin/env bash
# Draws a fixed set of configurations with a built fieldlines and keeps what
# each one gives (the CSV of every line and dot, or the message and exit
# code), so that two builds can be compared file by file. Each configuration
# is drawn twice: as it is (NAME.csv) and with the equipotentials and the
# zero-field markers over it (NAME.overlays.csv). A restructuring
# must leave every file byte-identical; a change of the pictures shows up as
# exactly the configurations it touches.
#
#   tests/scenarios/scenarios.sh list                 the configurations, one per line
#   tests/scenarios/scenarios.sh record FIELDLINES DIR
#   tests/scenarios/scenarios.sh compare DIR_BEFORE DIR_AFTER
#
# compare names, for each configuration that differs, the rule of the
# program that accounts for the difference (see README, "Unusual input"), or
# "unexplained"; it fails when any difference is unexplained or when the two
# recordings differ at all and --explained is not given:
#
#   tests/scenarios/scenarios.sh compare --explained DIR_BEFORE DIR_AFTER
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
    # Unusual input, one or two of each kind the program treats specially.
    cat <<'LIST'
off_plot_right two -15,0,5 50,0,-10
off_plot_left two -100,0,10 15,0,-5
off_plot_above two 0,30,10 0,0,-5
same_place_like two 0,0,10 0,0,10
same_place_unlike two 0,0,10 0,0,-5
zero_single single 0,0,0 15,0,-10
zero_beside two -15,0,0 15,0,10
band_jump_15.5 two -15.5,0,10 15.5,0,10
band_jump_15.6 two -15.6,0,10 15.6,0,10
tiny_amount two -15,0,1e-42 15,0,-10
tinier_amount two -15,0,10 15,0,-1e-45
single_huge_locked single 0,0,10 1e39,0,-10
full_width two －15,0,１０ 15,0,−10
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
        code=0
        QT_QPA_PLATFORM=offscreen "$fieldlines" "${single[@]}" --charge1="$c1" --charge2="$c2" \
            --equipotentials --zero-field --output "$dir/$name.overlays.csv" 2>"$dir/$name.overlays.err" || code=$?
        echo "$code" >"$dir/$name.overlays.code"
    done < <(list)
    echo "recorded $(list | wc -l) configurations in $dir"
}

# True when the two recordings of a configuration, with and without the
# overlays, differ at most in their blue field lines: the dots, the overlays
# drawn after the field lines and the exit codes are the same.
onlyFieldLinesDiffer() {
    local before=$1 after=$2 name=$3 f
    for f in csv overlays.csv; do
        cmp -s <(grep -v ',#0000ff,' "$before/$name.$f") <(grep -v ',#0000ff,' "$after/$name.$f") || return 1
    done
    for f in code overlays.code; do
        [ "$(cat "$before/$name.$f")" = 0 ] && [ "$(cat "$after/$name.$f")" = 0 ] || return 1
    done
}

# Why one configuration draws differently in the two recordings, by the
# program's rules for unusual input; "unexplained" when none accounts for it.
explain() {
    local before=$1 after=$2 name=$3 mode=$4 c1=$5 c2=$6
    local old new message
    old=$(cat "$before/$name.code" 2>/dev/null || echo missing)
    new=$(cat "$after/$name.code" 2>/dev/null || echo missing)
    message=$(cat "$after/$name.err" 2>/dev/null || true)
    if [ "$new" = 1 ] && [ "$old" != 1 ]; then
        case "$message" in
        *位置坐标超出范围*) echo "a charge off the plot is refused"; return ;;
        *两个电荷不能在同一位置*) echo "two charges at one place are refused"; return ;;
        *输入的数值超出范围*) echo "an amount too small for 32 bits is refused"; return ;;
        esac
    fi
    if [ "$old" = 1 ] && [ "$new" = 0 ] && [ "$mode" = single ]; then
        echo "single-charge mode judges charge 1 only"; return
    fi
    if [ "$old" = 2 ] && [ "$new" = 0 ] && LC_ALL=C grep -q '[^ -~]' <<<"$c1$c2"; then
        echo "full-width and typographic forms read as ASCII"; return
    fi
    # D18: two charges on one vertical line are traced as a horizontal pair
    # in the plot turned by 90 degrees.
    if [ "$mode" = two ] && awk -v a="${c1%%,*}" -v b="${c2%%,*}" 'BEGIN { exit !(a + 0 == b + 0) }' \
        && onlyFieldLinesDiffer "$before" "$after" "$name"; then
        echo "D18: a vertical pair is traced as a horizontal pair turned by 90 degrees"; return
    fi
    if [ "$old" = 0 ] && [ "$new" = 0 ]; then
        # Only arrowheads added: every old row is kept in order, and each
        # added row is one wing of an arrowhead (length 2, from its tip).
        if awk -F, 'NR == FNR { old[++n] = $0; next }
            { rows[++m] = $0; x1[m] = $2; y1[m] = $3; x2[m] = $4; y2[m] = $5 }
            END {
                i = 1; added = 0
                for (j = 1; j <= m; ++j) {
                    if (i <= n && rows[j] == old[i]) { ++i; continue }
                    len = sqrt((x2[j] - x1[j]) ^ 2 + (y2[j] - y1[j]) ^ 2)
                    if (len < 1.999 || len > 2.001) exit 1
                    ++added
                }
                exit !(i > n && added > 0)
            }' "$before/$name.csv" "$after/$name.csv"; then
            echo "every line crossing an arrowhead circle shows its direction"; return
        fi
        # Only lines removed, and one amount is 0.
        if [[ "${c1##*,}" =~ ^-?0(\.0*)?$ || "${c2##*,}" =~ ^-?0(\.0*)?$ ]] && awk 'NR == FNR { new[++n] = $0; next }
            { if (i < n && $0 == new[i + 1]) ++i }
            END { exit !(i == n) }' "$after/$name.csv" "$before/$name.csv"; then
            echo "a charge of 0 draws no lines of its own"; return
        fi
    fi
    echo "unexplained"
}

compare() {
    local explained=0
    if [ "${1:-}" = --explained ]; then
        explained=1
        shift
    fi
    local before=$1 after=$2 same=0 differ=0 unexplained=0 name mode c1 c2 f reason
    while read -r name mode c1 c2; do
        local changed=0
        for f in "$name.csv" "$name.err" "$name.code" "$name.overlays.csv" "$name.overlays.err" "$name.overlays.code"; do
            if [ -e "$before/$f" ] || [ -e "$after/$f" ]; then
                cmp -s "$before/$f" "$after/$f" || changed=1
            fi
        done
        if [ "$changed" -eq 0 ]; then
            same=$((same + 1))
            continue
        fi
        differ=$((differ + 1))
        reason=$(explain "$before" "$after" "$name" "$mode" "$c1" "$c2")
        [ "$reason" = unexplained ] && unexplained=$((unexplained + 1))
        echo "differs: $name $mode $c1 $c2: $reason"
    done < <(list)
    echo "$same identical, $differ different, $unexplained unexplained"
    if [ "$explained" -eq 1 ]; then
        [ "$unexplained" -eq 0 ]
    else
        [ "$differ" -eq 0 ]
    fi
}

case "${1:-}" in
list) list ;;
record) record "${2:?fieldlines}" "${3:?dir}" ;;
compare) shift; compare "$@" ;;
*) echo "usage: $0 list | record FIELDLINES DIR | compare [--explained] BEFORE AFTER" >&2; exit 2 ;;
esac
