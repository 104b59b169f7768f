#!/usr/bin/env bash
# Starts the browser under Xvfb on a sample picture and saves the screen as
# docs/screenshot.png (or the file given). With --tools it first opens the
# histogram window and rests the pointer on the picture so that the status
# bar reads it out, and saves docs/screenshot-tools.png by default. With
# --stretch it turns the percentile stretch on for the shown picture (P) and
# opens the histogram window with its marks at lo and hi, and saves
# docs/screenshot-stretch.png by default. With --measure it draws a
# rectangle and a line across lost lines of 69_311.002, with the Region and
# Profile windows, and saves docs/screenshot-measure.png by default; with
# --compare it pins a picture beside the next one, zoomed in, and saves
# docs/screenshot-compare.png by default. The
# browser runs under a window manager (openbox), as on a desktop, so that
# maximised and full-screen windows look as they do there.
# With --edges it saves, in the folder given (docs/ by default), the strip of
# a 402-entry list started on entry 309 at the height remembered from the
# last run (screenshot-strip.png), the status bar of a 640-pixel window with
# the readout whole (screenshot-status.png), and a screen scaled by 2 with
# the picture at one picture pixel per device pixel and the readout
# (screenshot-hidpi.png).
set -euo pipefail
cd "$(dirname "$0")/.."
tools=0
case "${1:-}" in
  --tools) tools=1; shift ;;
  --stretch) tools=2; shift ;;
  --measure) tools=3; shift ;;
  --compare) tools=4; shift ;;
  --edges) shift; exec bash tools/screenshot-edges.sh "$@" ;;
esac
build="${ORBALUX_BUILD_DIR:-build}"  # where to build
type="${ORBALUX_BUILD_TYPE:-RelWithDebInfo}"
bash tools/install-deps.sh imagemagick xdotool openbox
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE="$type" -DORBALUX_BUILD_TOOLS=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target orbalux orbalux_samples
default=docs/screenshot.png
[ $tools = 1 ] && default=docs/screenshot-tools.png
[ $tools = 2 ] && default=docs/screenshot-stretch.png
[ $tools = 3 ] && default=docs/screenshot-measure.png
[ $tools = 4 ] && default=docs/screenshot-compare.png
out="${1:-$default}"
mkdir -p "$(dirname "$out")"
picture="$build/samples/69_091.005"
[ $tools = 3 ] && picture="$build/samples/69_311.002"
[ $tools = 4 ] && picture="$build/samples/69_191.001"
# Settings of its own, so that the screenshot shows the start state whatever
# this user left behind.
XDG_CONFIG_HOME="$(mktemp -d)"
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
# What is done before the shot, by the browser's keys and the pointer.
case $tools in
  1) actions='
    xdotool windowfocus --sync "$window" key ctrl+h
    sleep 1
    xdotool mousemove 420 380
    sleep 1
    xdotool mousemove 421 381
    sleep 2' ;;
  2) actions='
    xdotool windowfocus --sync "$window" key p
    sleep 1
    xdotool key ctrl+h
    sleep 2' ;;
  3) actions='
    # Both windows docked first, then the picture fitted to the room left.
    xdotool windowfocus --sync "$window" key m
    sleep 1
    xdotool key shift+l
    sleep 1
    xdotool key ctrl+9
    sleep 1
    xdotool key m
    sleep 1
    xdotool mousemove 330 350 mousedown 1 mousemove 400 400 sleep 0.3 mousemove 560 470 mouseup 1
    sleep 1
    xdotool key shift+l
    sleep 1
    xdotool mousemove 620 130 mousedown 1 mousemove 630 300 sleep 0.3 mousemove 660 660 mouseup 1
    sleep 1
    xdotool mousemove 450 250
    sleep 2' ;;
  4) actions='
    xdotool windowfocus --sync "$window" key ctrl+shift+k
    sleep 1
    xdotool key Right
    sleep 2
    xdotool key ctrl+plus
    sleep 1
    xdotool mousemove 300 400
    sleep 1
    xdotool mousemove 301 401
    sleep 2' ;;
  *) actions='sleep 1' ;;
esac
bash tools/xvfb-shot.sh "$build" "$picture" "$out" "$actions"
echo "wrote $out"
