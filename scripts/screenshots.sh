#!/usr/bin/env bash
# Takes the README's pictures of the real program under a virtual display: the main window
# in sweep mode, with the comparison with NEC-2, in R/X mode, the analysis window, the HP-CL
# tuner window beside it after a sweep, the LP-CL tuner's lab after a run over the band, and a
# measured antenna. Needs a build (scripts/run.sh or scripts/test.sh), nec2c and
# Debian's xvfb, xdotool, imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
out="$PWD/docs"
program="$PWD/build/orvane"
work=$(mktemp -d)
display=:$((100 + RANDOM % 400))

Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
export DISPLAY=$display
# The design's view, not whatever the last run on this machine left.
export XDG_CONFIG_HOME=$work/config
(cd "$work" && QT_QPA_PLATFORM=xcb "$program" >/dev/null 2>&1) &
app=$!
sleep 3

main=$(xdotool search --name '^ORVANE$' | head -n 1)
snap() { import -window "$1" "$2"; }
# Clicks take design coordinates: the design starts below the menu bar, where the first
# heading (colour 806040, 4 pixels below the design's top) begins.
heading=$(import -window "$main" png:- | convert - -crop 1x100+10+0 txt:- |
          awk '/#806040/ { split($1, at, /[,:]/); print at[2]; exit }')
top=$((heading - 4))
click() { xdotool mousemove --window "$main" "$1" $(($2 + top)) click 1; sleep "${3:-1}"; }

snap "$main" "$out/main-window.png"
# Without a window manager the window takes the keys only when given the focus.
xdotool windowfocus --sync "$main"
xdotool key F7
sleep 3
snap "$main" "$out/nec-comparison.png"
xdotool key F7
sleep 1
click 874 115 2  # diagram type R/X
snap "$main" "$out/impedance-plane.png"
click 874 94 2   # back to the sweep diagram
# The analysis window on 40 m with three markers and the pointer's read-out; it closes again.
xdotool key F8
sleep 2
analysis=$(xdotool search --name '^Orvane analysis$' | head -n 1)
xdotool windowmove "$analysis" 0 0
sleep 1
xdotool mousemove --window "$analysis" 100 33 click 1  # the Span box: 40 m
sleep 1
xdotool key Down Down Down Down Return
sleep 1
for x in 700 820 1000; do xdotool mousemove --window "$analysis" "$x" 200 click 1; sleep 0.5; done
# Snapped before the plots' tooltip comes up.
xdotool mousemove --window "$analysis" 900 450
sleep 0.3
snap "$analysis" "$out/analysis.png"
xdotool key ctrl+w
sleep 1
xdotool windowfocus --sync "$main"
# The HP-CL schematic opens its tuner window; its SWEEP tunes the whole band and marks the
# strip above the diagram.
click 60 590 2
tuner=$(xdotool search --name 'HP-CL$' | head -n 1)
xdotool windowmove "$tuner" 1270 0
sleep 1
xdotool mousemove --window "$tuner" 470 189 click 1
sleep 60
import -window root -crop 1920x700+0+0 "$out/tuner-sweep.png"
# LP-CL's SELECT, then its schematic; its "Compare searches", then "Over the band".
click 781 533 2
click 686 590 2
tuner=$(xdotool search --name 'LP-CL$' | head -n 1)
xdotool mousemove --window "$tuner" 60 316 click 1
sleep 2
lab=$(xdotool search --name 'Compare searches' | head -n 1)
xdotool windowmove "$lab" 0 0
sleep 1
xdotool mousemove --window "$lab" 300 50 click 1
sleep 20
import -window "$lab" "$out/tuner-lab.png"

# The example measured whip in R/X mode, matched by HP-CLC: a start of its own, with that view.
kill "$app"
wait "$app" 2>/dev/null || true
export XDG_CONFIG_HOME=$work/measured
mkdir -p "$XDG_CONFIG_HOME/Orvane"
printf '[view]\nimpedancePlane=true\nnetwork=2\n' >"$XDG_CONFIG_HOME/Orvane/Orvane.conf"
example="$PWD/data/examples/whip-40m.s1p"
(cd "$work" && QT_QPA_PLATFORM=xcb "$program" --antenna "$example" >/dev/null 2>&1) &
app=$!
sleep 3
snap "$(xdotool search --name 'measured: whip-40m.s1p$' | head -n 1)" "$out/measured-antenna.png"
echo "pictures in $out"
