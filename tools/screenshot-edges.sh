#!/usr/bin/env bash
# The browser's edges under Xvfb with openbox (tools/screenshot.sh --edges):
# the strip of a long list started deep in it at its remembered height, the
# status bar of a small window, and a screen scaled by 2. Each picture is cut
# to the part it shows and saved in the folder given (docs/ by default).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${ORBALUX_BUILD_DIR:-build}"
type="${ORBALUX_BUILD_TYPE:-RelWithDebInfo}"
out="${1:-docs}"
bash tools/install-deps.sh imagemagick xdotool openbox
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE="$type" -DORBALUX_BUILD_TOOLS=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target orbalux orbalux_samples
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# 402 entries of one group, each the sample picture.
sample="$(realpath "$build/samples/69_091.005")"
mkdir "$work/list"
for i in $(seq 1 402); do ln -s "$sample" "$work/list/$(printf '69_091.%03d' "$i")"; done

# One shot: $1 the settings folder, $2 the picture, $3 the picture file to
# write, $4 what to do before it (strip, status, hidpi), $5 the crop.
shot() {
  local actions='sleep 1'
  case "$4" in
    status) actions='
      # A 640-pixel window, the pointer on the picture. A first run starts
      # maximised; a double click on its title bar restores it.
      xdotool mousemove 640 8 click --repeat 2 --delay 80 1
      sleep 1
      xdotool windowsize "$window" 640 480 windowmove "$window" 0 0
      sleep 2
      xdotool mousemove 300 200
      sleep 1
      xdotool mousemove 301 201
      sleep 2' ;;
    hidpi) actions='
      xdotool mousemove 640 300
      sleep 1
      xdotool mousemove 641 300
      sleep 2' ;;
  esac
  XDG_CONFIG_HOME="$1" bash tools/xvfb-shot.sh "$build" "$2" "$work/whole.png" "$actions"
  convert "$work/whole.png" -crop "$5" +repage -strip "$3"
  echo "wrote $3"
}

# Settings of their own: the strip as high as a user left it last run.
mkdir -p "$work/config/Orbalux"
printf '[view]\nthumbnailExtent=163\n' >"$work/config/Orbalux/Orbalux.conf"
shot "$work/config" "$work/list/69_091.309" "$out/screenshot-strip.png" strip 1280x260+0+700
rm -rf "$work/config" && mkdir -p "$work/config"
shot "$work/config" "$sample" "$out/screenshot-status.png" status 640x28+0+452
rm -rf "$work/config" && mkdir -p "$work/config"
QT_SCALE_FACTOR=2 shot "$work/config" "$sample" "$out/screenshot-hidpi.png" hidpi 1280x300+0+660
