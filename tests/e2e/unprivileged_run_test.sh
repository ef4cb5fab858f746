#!/usr/bin/env bash
# `make run` as a user without any privilege: the run shows the simulated battery and saves
# both pictures, ends through `kestrumctl close` from outside the run and through Ctrl+C, each
# time with charging switched back on, and leaves nothing behind that the user does not own.
# Where user namespaces are switched off, the run still starts and says why the power status
# is the machine's own.
#
# Run as root (as CI does), it takes a throw-away user, in a copy of what a run needs: the tree
# may sit in root's home, which others cannot enter.
#   unprivileged_run_test.sh BUILD_FOLDER LOADER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1 loader=$2

# What the user's runs get, and beside it what stays the test's own: logs, a pipe.
work=$(mktemp -d) own=$(mktemp -d)
# A program run outside a run leaves the prefix's Wine server waiting a while.
trap '"${as_user[@]}" WINEPREFIX="$work/build/wineprefix" wineserver -k 2>/dev/null
      rm -rf "$work" "$own"' EXIT
fail() {
  echo "FAIL: $*" >&2
  cat "$own/run.log" >&2 2>/dev/null || true
  exit 1
}
for file in app/run_kestrum.sh tools/wine_run.sh simulated/power_supply/with_fake_power_supply.sh \
  simulated/battery_driver/install_in_prefix.sh; do
  mkdir -p "$work/tree/$(dirname "$file")"
  cp "$here/../../$file" "$work/tree/$file"
done
mkdir -p "$work/build/bin"
cp -r "$build"/bin/{Kestrum.exe,Qelt.dll,kestrumctl.exe,drivers} "$work/build/bin/"

user=$(id -u)
as_user=(env -u DISPLAY -u WINEPREFIX)
if [ "$user" -eq 0 ]; then
  user=$(id -u nobody)
  group=$(id -g nobody)
  chown -R "$user:$group" "$work"
  as_user=(setpriv --reuid="$user" --regid="$group" --clear-groups
           env -i HOME="$work" PATH="$PATH" LANG=C.UTF-8)
fi
run=("$work/tree/app/run_kestrum.sh" "$work/build/wineprefix" "$loader" "$work/build")
ctl=$work/build/kestrumctl

# Each run in a process group of its own, as in a terminal, where Ctrl+C reaches the group.
set -m
# Starts a run in the background; returns once it has saved both pictures.
start_run() {
  rm -f "$work"/build/*.png
  # Emptied before the start: the job empties it only once it runs, and until then the last
  # run's pictures would seem to be this one's.
  : >"$own/run.log"
  "${as_user[@]}" "${run[@]}" >"$own/run.log" 2>&1 &
  pid=$!
  for _ in $(seq 600); do
    grep -q "^saved .*kestrum_life_page.png" "$own/run.log" && return 0
    kill -0 $pid 2>/dev/null || fail "the run ended before it saved both pictures"
    sleep 0.2
  done
  fail "no pictures after 120 s"
}
# Waits for the run to end, then checks it ended well and switched charging back on last.
check_ended() {
  local status=0
  wait $pid || status=$?
  [ $status -eq 0 ] || fail "the run ended with $status ($1)"
  grep -q "^Kestrum ended" "$own/run.log" || fail "Kestrum did not end ($1)"
  local last
  last=$("${as_user[@]}" "$work/tree/tools/wine_run.sh" "$work/build/wineprefix" "$loader" \
    "$work/build/bin/kestrumctl.exe" ec journal | tr -d '\r' | grep "command 0x59" | tail -n 1)
  [[ $last == *"input 0xd8"* ]] || fail "charging not switched on last ($1): $last"
}

start_run
# The default battery's 75 % comes through Wine's power status only from the private supply.
"${as_user[@]}" "$ctl" snapshot 2>/dev/null | tr -d '\r' | grep -q "^percentText *75%" ||
  fail "the run's power status is not its private power supply's"
"${as_user[@]}" "$ctl" close >/dev/null || fail "kestrumctl close did not reach the run"
check_ended "kestrumctl close"

start_run
kill -INT -- -$pid
check_ended "Ctrl+C"
grep -q "closing Kestrum through its close event" "$own/run.log" || fail "Ctrl+C did not close"

strangers=$(find "$work" ! -uid "$user" | head -n 5)
[ -z "$strangers" ] || fail "files not owned by the user who ran: $strangers"
echo "the run as user $user: shown, closed from outside and by Ctrl+C, its files its own"

[ "$(id -u)" -eq 0 ] || exit 0
# User namespaces switched off: a user namespace of the test's own whose limit is 0, the
# throw-away user mapped into it, so that nothing on the machine changes.
mkfifo "$own/mapped"
rm -f "$work"/build/*.png
# The program goes on only once mapped: an exec as the namespace's root regains its rights.
unshare --user sh -c 'read -r _ <"$0"; shift; exec "$@"' \
  "$own/mapped" -- "${as_user[@]}" KESTRUM_SCREENSHOTS="$work/build" "${run[@]}" \
  >"$own/run.log" 2>&1 &
pid=$!
while [ /proc/$pid/ns/user -ef /proc/$$/ns/user ]; do sleep 0.01; done
# The kernel takes a map in one write only, which the shell's builtins do not promise.
write_once() {
  python3 -c 'import os, sys; os.write(os.open(sys.argv[1], os.O_WRONLY), sys.argv[2].encode())' "$@"
}
write_once /proc/$pid/uid_map "$(printf '0 0 1\n%s %s 1' "$user" "$user")"
write_once /proc/$pid/gid_map "$(printf '0 0 1\n%s %s 1' "$group" "$group")"
nsenter --target $pid --user sh -c 'echo 0 >/proc/sys/user/max_user_namespaces'
echo >"$own/mapped"
check_ended "user namespaces switched off"
grep -q "^Wine's power status will read \"mains, no battery\": .*user namespaces" "$own/run.log" ||
  fail "the run did not say why the power status is the machine's own"
[ -f "$work/build/kestrum_life_page.png" ] || fail "no pictures without user namespaces"
echo "the run without user namespaces: shown, and it said why its power status is the machine's"
