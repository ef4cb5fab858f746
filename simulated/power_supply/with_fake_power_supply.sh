#!/usr/bin/env bash
# Runs a command in a private mount namespace where /sys/class/power_supply is an empty,
# writable folder, so that Windows programs under Wine see whatever power situation a test
# writes there (through Z:\sys\class\power_supply). Needs root, for unshare and mount.
#   with_fake_power_supply.sh COMMAND [ARGS...]
#
# Wine reads the power status in each client process, but opens files for a client in the
# wineserver, so both must live in the namespace. A server outside would be found through the
# prefix and serve the real tree; Debian's Wine keeps its server socket under TMPDIR, so a
# private TMPDIR gives the namespace a server of its own, leaving any other one alone.
set -euo pipefail

if [ "${KESTRUM_FAKE_POWER_SUPPLY:-}" != inside ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "with_fake_power_supply.sh: must run as root (unshare -m, mount)" >&2
    exit 1
  fi
  KESTRUM_FAKE_POWER_SUPPLY=inside exec unshare --mount --propagation private "$0" "$@"
fi

private=$(mktemp -d)
mount -t tmpfs -o mode=0700 kestrum-e2e "$private"
mkdir "$private/power_supply" "$private/tmp"
mount --bind "$private/power_supply" /sys/class/power_supply
export TMPDIR="$private/tmp"

# Every process left in this namespace was started by the command. Wine servers go first and
# gently (SIGINT), so that they end their clients and save the prefix's registry.
list_processes() {
  pids=()
  for dir in /proc/[0-9]*; do
    pid=${dir#/proc/}
    if [ "$pid" = $$ ] || ! [ "$dir/ns/mnt" -ef /proc/$$/ns/mnt ]; then continue; fi
    read -r name 2>/dev/null <"$dir/comm" || continue
    case $name in
      wineserver*) found=servers ;;
      *) found=others ;;
    esac
    if [ "$found" = "$1" ]; then pids+=("$pid"); fi
  done
}

end_namespace() {
  list_processes servers
  if [ ${#pids[@]} -gt 0 ]; then
    kill -INT "${pids[@]}" 2>/dev/null || true
    for _ in $(seq 50); do
      list_processes servers
      [ ${#pids[@]} -eq 0 ] && break
      sleep 0.1
    done
  fi
  for kind in others servers; do
    list_processes $kind
    [ ${#pids[@]} -eq 0 ] || kill -KILL "${pids[@]}" 2>/dev/null || true
  done
  umount /sys/class/power_supply "$private" 2>/dev/null || true
  rmdir "$private" 2>/dev/null || true
}

trap 'end_namespace; exit 130' INT TERM
status=0
"$@" || status=$?
end_namespace
exit $status
