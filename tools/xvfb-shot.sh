#!/usr/bin/env bash
# One picture of the browser's screen under Xvfb, with openbox as the window
# manager so that maximised and full-screen windows look as on a desktop:
# starts the browser of BUILD on PICTURE, gives it time to load and draw, runs
# ACTIONS (shell commands; $window is the browser's main window, xdotool
# drives it), saves the whole screen as OUT and stops both. The caller's
# environment reaches the browser (XDG_CONFIG_HOME for settings of the shot's
# own, QT_SCALE_FACTOR).
#
#   tools/xvfb-shot.sh BUILD PICTURE OUT [ACTIONS]
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: tools/xvfb-shot.sh BUILD PICTURE OUT [ACTIONS]" >&2; exit 2; }
xvfb-run -a -s "-screen 0 1280x960x24" bash -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  sleep 1
  "$1/shell/orbalux" "$2" &
  browser=$!
  trap "kill $browser $wm 2>/dev/null || true" EXIT
  sleep 5
  kill -0 $browser || { echo "xvfb-shot.sh: the browser did not start" >&2; exit 1; }
  window=$(xdotool search --sync --pid $browser --name "Orbalux CD-WO" | head -n 1)
  eval "$4"
  import -window root "$3"
' xvfb-shot "$1" "$2" "$3" "${4:-sleep 1}"
