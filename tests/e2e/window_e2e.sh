#!/usr/bin/env bash
# End-to-end test of the window in a real X server: start Xvfb, open the
# program, click "激　发" where it sits on the screen, and check on a
# screenshot that the default field is drawn: a green dot at charge 1
# (-15, 0), a red dot at charge 2 (15, 0) and blue field line on the axis
# between them. Then click "关闭窗口" and check that the program ends.
#
# Then a drag: press on the red dot, move, release. The dot must be at the
# new place, rounded to 0.5 (the drop point is one such place, the press its
# centre), and the picture that of the command line for the boxes the drag
# left: (20.5, 8) for charge 2.
#
# Then a flood: with like charges, click "激　发" once and 5,000 times more
# as fast as the X server takes the clicks. The program must live through
# it and end showing the same picture as the command line draws; and
# "关闭窗口" clicked during another flood must end it at once.
#
# Usage: window_e2e.sh FIELDLINES [--screenshot FILE]
#   --screenshot FILE  also keep a PNG of the window after the excite.
# Exit 0 pass, 1 fail, 77 skip (no X server can be started here).

set -u

fieldlines=${1:?usage: window_e2e.sh FIELDLINES [--screenshot FILE]}
shift
keep_shot=
if [ "${1:-}" = --screenshot ]; then
    keep_shot=${2:?--screenshot needs a file name}
fi

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }

for tool in xdotool import convert; do
    command -v "$tool" >/dev/null || fail "$tool is missing (install xdotool and imagemagick)"
done
command -v Xvfb >/dev/null || skip "Xvfb is not installed, so no X server can be started"

work=$(mktemp -d)
xvfb_pid=
app_pid=
flood_pid=
cleanup() {
    [ -n "$flood_pid" ] && kill "$flood_pid" 2>/dev/null
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Start Xvfb on a display it finds free itself and reports on descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
display=$(tr -dc 0-9 <"$work/display")
if [ -z "$display" ]; then
    echo "--- Xvfb said:"; cat "$work/xvfb.log"
    skip "Xvfb could not start"
fi
export DISPLAY=:$display

# The real X server, whatever the surrounding test run chose for Qt; a
# runtime directory of our own keeps Qt quiet.
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8 XDG_RUNTIME_DIR=$work XDG_CONFIG_HOME=$work
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING

# Opens the window with the given options and finds it on the screen.
# Places in the window, in logical pixels (layout units / 15): Picture1 at
# (8, 56), 693 × 385, with the drawing inside its 1-pixel border; Command1 at
# (712 + 32, 16 + 384), 89 × 33, inside Frame1.
open_window() {
    "$fieldlines" "$@" >"$work/app.log" 2>&1 &
    app_pid=$!
    window=$(timeout 10 xdotool search --sync --onlyvisible --name '^电场线的描绘$' | head -n 1)
    [ -n "$window" ] || { cat "$work/app.log"; fail "no window captioned 电场线的描绘 appeared"; }
    eval "$(xdotool getwindowgeometry --shell "$window")"
    win_x=$X win_y=$Y
    [ "$WIDTH" = 993 ] && [ "$HEIGHT" = 454 ] || fail "window is ${WIDTH}x$HEIGHT, expected 993x454"
    plot_x=$((win_x + 9)) plot_y=$((win_y + 57)) plot_w=691 plot_h=383
}
open_window
# Screen column and row of a user coordinate (x from -45 to 45, y 25 to -25).
column() { awk -v p="$plot_x" -v w="$plot_w" -v x="$1" 'BEGIN { print p + int((x + 45) * w / 90) }'; }
row() { awk -v p="$plot_y" -v h="$plot_h" -v y="$1" 'BEGIN { print p + int((25 - y) * h / 50) }'; }

shot=$work/shot.png
# Prints "x y r g b" for every pixel of the rectangle W H X Y of the shot.
pixels() {
    convert "$shot" -crop "$1x$2+$3+$4" +repage -depth 8 txt:- |
        awk -v ox="$3" -v oy="$4" -F'[,:() ]+' '/^[0-9]/ { print $1 + ox, $2 + oy, $3, $4, $5 }'
}
# Counts the pixels of a rectangle that are green, red, blue or white.
count() {
    pixels "$2" "$3" "$4" "$5" | awk -v kind="$1" '
        kind == "green" && $4 >= 150 && $3 <= 90 && $5 <= 90 { n++ }
        kind == "red" && $3 >= 200 && $4 <= 80 && $5 <= 80 { n++ }
        kind == "blue" && $5 >= 150 && $5 - $3 >= 60 && $5 - $4 >= 60 { n++ }
        kind == "white" && $3 >= 250 && $4 >= 250 && $5 >= 250 { n++ }
        END { print n + 0 }'
}

# Waits until the empty plot has been painted white.
wait_painted() {
    local cx cy
    cx=$(column 0) cy=$(row 0)
    for _ in $(seq 50); do
        import -window root "$shot" 2>/dev/null && [ "$(count white 5 5 $((cx - 2)) $((cy - 2)))" = 25 ] && return
        sleep 0.1
    done
    fail "the window was not painted within 5 s"
}

# True when the program has ended within 5 s.
ended_in_time() {
    for _ in $(seq 50); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

wait_painted

# Click "激　发" at the middle of the button.
xdotool mousemove --sync $((win_x + 744 + 44)) $((win_y + 400 + 16)) click 1

# The default field: charge 1 at (-15, 0), charge 2 at (15, 0). The dots are
# drawn last, so the red one tells that the drawing is complete.
gx=$(column -15) rx=$(column 15) y0=$(row 0)
done_drawing=
for _ in $(seq 80); do
    sleep 0.1
    import -window root "$shot" 2>/dev/null || continue
    if [ "$(count red 5 5 $((rx - 2)) $((y0 - 2)))" = 25 ]; then
        done_drawing=yes
        break
    fi
done
[ -n "$keep_shot" ] && convert "$shot" -crop "993x454+$win_x+$win_y" +repage "$keep_shot"
[ -n "$done_drawing" ] || fail "no red dot at charge 2 ($rx, $y0) within 8 s"

green=$(count green 5 5 $((gx - 2)) $((y0 - 2)))
[ "$green" = 25 ] || fail "the dot of charge 1 at ($gx, $y0) is not green ($green of 25 pixels)"

# Blue on the axis between the dots: every column of the gap (dots of
# radius 10 left out) has a blue pixel within a row of y = 0.
from=$((gx + 14)) to=$((rx - 14))
columns=$(pixels $((to - from + 1)) 4 "$from" $((y0 - 2)) |
    awk '$5 >= 150 && $5 - $3 >= 60 && $5 - $4 >= 60 { blue[$1] = 1 } END { print length(blue) }')
[ "$columns" -eq $((to - from + 1)) ] ||
    fail "the axis between the charges is blue in only $columns of $((to - from + 1)) columns"

kill -0 "$app_pid" 2>/dev/null || fail "the program ended during the drawing"

# Compares the plot on the screen, once it is still, with the command line's
# picture for the given options, scaled from its designed size to the 691 x
# 383 pixels inside the border of Picture1: scaling moves some edge pixels,
# a different picture differs in a tenth of them.
same_as_command_line() {
    local previous= current
    for _ in $(seq 100); do
        sleep 0.3
        import -window root "$shot" 2>/dev/null || continue
        convert "$shot" -crop "${plot_w}x$plot_h+$plot_x+$plot_y" +repage "$work/plot.png"
        # The pixels, not the file: a PNG carries the time it was made.
        current=$(convert "$work/plot.png" -depth 8 rgb:- | md5sum)
        [ "$current" = "$previous" ] && break
        previous=$current
    done
    "$fieldlines" "$@" --output "$work/expected-full.png" || fail "the command line drew nothing for $*"
    convert "$work/expected-full.png" -resize "${plot_w}x$plot_h!" "$work/expected.png"
    differing=$(compare -metric AE -fuzz 25% "$work/plot.png" "$work/expected.png" null: 2>&1)
    [ "${differing%%.*}" -lt $((plot_w * plot_h / 50)) ]
}

xdotool mousemove --sync "$rx" "$y0" mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove --sync $((rx + (($(column 20.5) - rx) * step / 5))) $((y0 + (($(row 8) - y0) * step / 5)))
    sleep 0.05
done
xdotool mouseup 1
same_as_command_line --charge2 20.5,8,-10 ||
    fail "after the drag the picture differs from the command line's for charge 2 at (20.5, 8) in $differing pixels"
[ "$(count red 5 5 $(($(column 20.5) - 2)) $(($(row 8) - 2)))" = 25 ] || fail "no red dot at the place of the drop"
[ "$(count red 5 5 $((rx - 2)) $((y0 - 2)))" = 0 ] || fail "the red dot is still at its old place"

# "关闭窗口" at (712 + 152, 16 + 384), 89 × 33, ends the program.
xdotool mousemove --sync $((win_x + 864 + 44)) $((win_y + 400 + 16)) click 1
ended_in_time "$app_pid" || fail "the program did not end within 5 s of a click on 关闭窗口"
wait "$app_pid"
status=$?
app_pid=
[ "$status" = 0 ] || fail "the program ended with status $status after 关闭窗口"

# The flood, with like charges.
open_window --charge1 -15,0,10 --charge2 15,0,10
gx=$(column -15) rx=$(column 15) y0=$(row 0)
wait_painted
xdotool mousemove --sync $((win_x + 744 + 44)) $((win_y + 400 + 16)) click 1
xdotool click --repeat 5000 --delay 0 1

# The picture must settle: two screenshots in a row alike, with both dots,
# which are drawn last (a slow build shows the lines alone for a while).
previous=
settled=
deadline=$((SECONDS + 60))
while [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.3
    import -window root "$shot" 2>/dev/null || continue
    convert "$shot" -crop "${plot_w}x$plot_h+$plot_x+$plot_y" +repage "$work/plot.png"
    # The pixels, not the file: a PNG carries the time it was made.
    current=$(convert "$work/plot.png" -depth 8 rgb:- | md5sum)
    if [ "$current" = "$previous" ] && [ "$(count green 5 5 $((gx - 2)) $((y0 - 2)))" = 25 ] &&
        [ "$(count red 5 5 $((rx - 2)) $((y0 - 2)))" = 25 ]; then
        settled=yes
        break
    fi
    previous=$current
done
kill -0 "$app_pid" 2>/dev/null || { cat "$work/app.log"; fail "the program ended during 5,000 queued clicks on 激　发"; }
[ -n "$settled" ] || fail "no finished picture (both dots drawn, the screen still) within 60 s of 5,000 queued clicks"
# The same picture as the command line draws.
same_as_command_line --charge1 -15,0,10 --charge2 15,0,10 ||
    fail "after the clicks the picture differs from the command line's in $differing of $((plot_w * plot_h)) pixels"

# "关闭窗口" during another flood: the program ends at once.
xdotool click --repeat 5000 --delay 1 1 &
flood_pid=$!
sleep 1
xdotool mousemove $((win_x + 864 + 44)) $((win_y + 400 + 16)) click 1
ended_in_time "$app_pid" || fail "the program did not end within 5 s of a click on 关闭窗口 during a flood of clicks"
kill "$flood_pid" 2>/dev/null
wait "$flood_pid" 2>/dev/null
flood_pid=
wait "$app_pid"
status=$?
app_pid=
[ "$status" = 0 ] || fail "the program ended with status $status after 关闭窗口 during the flood"

echo "PASS: default field drawn (green and red dots, blue axis between them); a drag moved the red dot;" \
    "关闭窗口 ended the program;" \
    "5,000 queued clicks left the command line's picture; 关闭窗口 ended the program during a flood"
