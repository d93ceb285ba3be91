#!/usr/bin/env bash
# Makes the README's screenshots under Xvfb, against the virtual controller:
#   docs/main-window.png   the main window after receiving the controller's configuration
#   docs/temperature.png   the temperature page of that configuration
#   docs/language.png      the language dialog over the main window
#   docs/week.png          the week page of that configuration
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default build/release, built first)
# Needs Xvfb, xdotool and ImageMagick (import, convert). The user's own settings are not touched:
# the program runs with a settings folder of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build/release}
if [[ $# -eq 0 ]]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMOTRIX_TESTS=OFF "${launcher[@]}"
  cmake --build "$build" -j2 --target lumotrix lumotrix_translations lumotrix-sim lumotrix-cli
fi
[[ $build == /* ]] || build=$root/$build
program=$build/src/app/lumotrix
sim=$build/tools/lumotrix-sim/lumotrix-sim
cli=$build/tools/lumotrix-cli/lumotrix-cli
# The language dialog lists the translations beside the program; without them it does not open.
compgen -G "$build/src/app/lumotrix.[A-Z][A-Z]*" >/dev/null ||
  { echo "screenshots.sh: no translations beside $program" >&2; exit 1; }
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "screenshots.sh: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  exec 3>&- 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

display=${SCREENSHOT_DISPLAY:-:95}
Xvfb "$display" -screen 0 1400x900x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# The simulator reads its commands from a pipe the script keeps open.
mkfifo "$work/sim-in"
"$sim" <"$work/sim-in" >"$work/sim-out" 2>&1 &
pids+=($!)
exec 3>"$work/sim-in"
for _ in $(seq 50); do [[ -s $work/sim-out ]] && break; sleep 0.1; done
device=$(head -n1 "$work/sim-out")
[[ $device == /dev/* ]] || { echo "screenshots.sh: the simulator gave no device" >&2; exit 1; }

# The controller gets the demonstration configuration first, as a keeper would send it.
"$cli" import docs/demo-config.json "$work/demo.tmr" >/dev/null
"$cli" send "$work/demo.tmr" --port "$device" --delay 0 >/dev/null
for _ in $(seq 50); do grep -qi 'good\|ok' "$work/sim-out" && break; sleep 0.2; done

# The program takes its serial port from its settings store; point it at the simulator.
mkdir -p "$work/config/lumotrix"
cat >"$work/config/lumotrix/registry.json" <<JSON
{
  "format": "Lumotrix registry",
  "version": 1,
  "keys": [
    { "key": "Software\\\\Velmoran",
      "values": [ { "name": "Port", "type": "string", "data": "$device" } ] }
  ]
}
JSON
export XDG_CONFIG_HOME=$work/config HOME=$work LANG=it_IT.UTF-8 QT_QPA_PLATFORM=xcb
"$program" >"$work/program-out" 2>&1 &
pids+=($!)
program_pid=$!
window=
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | head -n1) && [[ -n $window ]] && break
  sleep 0.2
done
[[ -n $window ]] || { echo "screenshots.sh: the main window did not appear" >&2; cat "$work/program-out" >&2; exit 1; }
xdotool windowsize "$window" 1200 760 windowmove "$window" 0 0 windowfocus --sync "$window"
sleep 1

shot() { # NAME: the main window as it is now
  sleep 0.8
  import -window "$window" "docs/$1.png"
  echo "docs/$1.png"
}

# Receive ("Ricezione dati", Ctrl+F), then let the controller send its dump.
xdotool key --window "$window" ctrl+f
sleep 1
echo dump >&3
for _ in $(seq 50); do grep -q '^dump sent' "$work/sim-out" && break; sleep 0.2; done
sleep 1.5
shot main-window

# The temperature page: its tab, third below the grid, in the 1200x760 window set above.
xdotool mousemove --window "$window" 171 711 click 1
shot temperature

# The week page: its tab, fourth below the grid.
xdotool mousemove --window "$window" 264 711 click 1
shot week

# The language dialog, from the "Lingua" command on the "Apparenza" tab, over the timer page.
# Xvfb has no window manager to frame the dialog, so the picture gets a rule around it.
xdotool mousemove --window "$window" 32 711 click 1
xdotool mousemove --window "$window" 152 51 click 1
sleep 0.5
xdotool mousemove --window "$window" 250 100 click 1
dialog=
for _ in $(seq 50); do
  dialog=$(xdotool search --onlyvisible --pid "$program_pid" | grep -vx "$window" | tail -n1) &&
    [[ -n $dialog ]] && break
  sleep 0.2
done
[[ -n $dialog ]] || { echo "screenshots.sh: no language dialog appeared" >&2; exit 1; }
sleep 0.8
title=$(xdotool getwindowname "$dialog")
[[ $title == "Scegli la lingua"* ]] ||
  { echo "screenshots.sh: \"$title\" appeared instead of the language dialog" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$dialog")"
import -window root -crop 1200x760+0+0 +repage "$work/language.png"
convert "$work/language.png" -fill none -stroke '#5a6f8c' \
  -draw "rectangle $((X - 1)),$((Y - 1)) $((X + WIDTH)),$((Y + HEIGHT))" docs/language.png
echo docs/language.png
