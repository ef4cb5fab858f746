#!/bin/bash
# Runs Kestrum under Wine in the foreground until Ctrl+C or `kestrumctl close`; Ctrl+C closes
# it through its close event, so that charging is switched back on as at every close.
#
# The run has a simulated battery: a fake power supply of its own (a private mount namespace
# in a user namespace) and the development battery driver, both set to the default battery: on
# battery at 75 % with 2 hr 05 min left, in good health. BUILD_FOLDER/kestrumctl runs the
# developer tool inside the run, from any terminal of the same user. Where user namespaces are
# switched off, the run goes on with the battery driver alone.
#
# Without a display it runs on a private Xvfb, opens the meter sheet once by itself and saves
# a screenshot of each page into the build folder; with KESTRUM_SCREENSHOTS=FOLDER it does so
# on a private Xvfb in any case, saves them into FOLDER and ends.
#   run_kestrum.sh PREFIX LOADER BUILD_FOLDER
set -u
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1 loader=$2 build=$(cd "$3" && pwd)
ctl=$build/kestrumctl

# Waits for the background process $1 to end and returns its status. A trapped signal makes
# `wait` return early with 128 + its number, also when the process ends while the trap runs:
# the trap sets `signalled`, and the process is waited for again, which gives its own status.
signalled=
wait_for() {
  local status
  while :; do
    signalled=
    wait "$1"
    status=$?
    [ -z "$signalled" ] && return $status
  done
}

if [ "${KESTRUM_RUN_INSIDE:-}" != 1 ]; then
  # In a session of its own: a terminal's Ctrl+C reaches only this script, which closes
  # Kestrum properly, and neither Wine nor the namespace, which would end it on the spot.
  rm -f "$ctl"
  power_supply=$here/../simulated/power_supply/with_fake_power_supply.sh
  if ! reason=$("$power_supply" --check 2>&1); then
    echo "Wine's power status will read \"mains, no battery\": ${reason#*: }"
    power_supply=
  fi
  KESTRUM_RUN_INSIDE=1 setsid $power_supply "$0" "$@" &
  run=$!
  closing=
  close_kestrum() {
    signalled=1
    [ -n "$closing" ] && return
    closing=1
    echo; echo "closing Kestrum through its close event"
    [ -x "$ctl" ] && "$ctl" close
  }
  trap close_kestrum INT TERM
  wait_for $run
  exit
fi

# Inside the run's namespaces from here on. The tool reaches the run from outside through this
# process's namespaces and the private TMPDIR that names the run's Wine server.
tool=$(printf '%q ' "$here/../tools/wine_run.sh" "$prefix" "$loader" "$build/bin/kestrumctl.exe")
if [ "${KESTRUM_FAKE_POWER_SUPPLY:-}" = inside ]; then
  tool="nsenter --target $$ $KESTRUM_FAKE_POWER_SUPPLY_ENTER env TMPDIR=$(printf %q "$TMPDIR") $tool"
fi
printf '#!/bin/sh\nexec %s"$@"\n' "$tool" >"$ctl"
chmod +x "$ctl"
trap 'rm -f "$ctl"' EXIT
wine_run() { "$here/../tools/wine_run.sh" "$prefix" "$loader" "$@"; }
kestrumctl() { wine_run "$build/bin/kestrumctl.exe" "$@"; }

shots=${KESTRUM_SCREENSHOTS:-$build}
headless=
if [ -z "${DISPLAY:-}" ] || [ -n "${KESTRUM_SCREENSHOTS:-}" ]; then
  headless=1
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.05; done
  export DISPLAY=:$(cat "$display_file")
  rm -f "$display_file"
fi

# Kestrum's X windows, by the Wine process's name, with their map state.
kestrum_windows() { xwininfo -root -tree 2>/dev/null | awk '/"kestrum.exe"/ {print $1}'; }
viewable_window() {
  for id in $(kestrum_windows); do
    xwininfo -id "$id" 2>/dev/null | grep -q IsViewable && { echo "$id"; return 0; }
  done
  return 1
}
# The frame's window exists a moment before its keyboard hook does, and a press while the
# sheet is open changes nothing, so pressing again until the sheet shows is safe.
open_sheet() {
  for _ in $(seq 20); do
    kestrumctl press || return 1
    for _ in $(seq 20); do viewable_window >/dev/null && return 0; sleep 0.05; done
  done
  return 1
}
save_sheet() {
  import -window "$(viewable_window)" "$shots/$1" && echo "saved $shots/$1"
}

# After the display: the run's first Wine program starts its session on it. The simulated
# notebook starts as after a restart: battery identified and not worn, charging on.
kestrumctl battery default
kestrumctl ec mode normal
for address in 0xF3 0xF2 0xEF; do kestrumctl ec set $address 0; done
wine_run "$build/bin/Kestrum.exe" &
kestrum=$!
echo "Kestrum runs hidden. Open its window:  $ctl press   close it:  $ctl close  (or Ctrl+C)"
echo "The battery:  $ctl battery plug-in | unplug | wear | pull | replace | default | show"

if [ -n "$headless" ]; then
  if open_sheet; then
    sleep 0.5
    save_sheet kestrum_status_page.png
    # A click on the second tab through the X server's test extension; no window manager
    # moves the sheet, so the tab sits at a fixed place inside it.
    read -r left top < <(xwininfo -id "$(viewable_window)" | awk '/Absolute upper-left X/ {x=$4}
      /Absolute upper-left Y/ {y=$4} END {print x, y}')
    python3 - "$((left + 128))" "$((top + 19))" <<'PY' && sleep 0.5 && save_sheet kestrum_life_page.png
import ctypes, sys
x11, xtst = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
display = ctypes.c_void_p(x11.XOpenDisplay(None))
xtst.XTestFakeMotionEvent(display, -1, int(sys.argv[1]), int(sys.argv[2]), 0)
xtst.XTestFakeButtonEvent(display, 1, True, 0)
xtst.XTestFakeButtonEvent(display, 1, False, 0)
x11.XCloseDisplay(display)
PY
  else
    echo "the meter sheet did not open by itself" >&2
  fi
  [ -n "${KESTRUM_SCREENSHOTS:-}" ] && kestrumctl close
fi

wait_for $kestrum
status=$?
[ -n "$headless" ] && kill "$xvfb" 2>/dev/null
echo "Kestrum ended"
exit $status
