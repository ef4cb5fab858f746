#!/usr/bin/env bash
# Runs a command in a private mount namespace where /sys/class/power_supply is an empty,
# writable folder, so that Windows programs under Wine see whatever power situation a test
# writes there (through Z:\sys\class\power_supply).
#   with_fake_power_supply.sh COMMAND [ARGS...]
#   with_fake_power_supply.sh --check     exit 0 when the namespace can be made, else say why
#
# The mount namespace lives in a user namespace of its own, in which the user is mapped to
# root: that gives the right to mount there without any privilege outside, for every user
# alike, and whatever is written to disk still belongs to the user. Only where user namespaces
# are switched off does root fall back to a plain mount namespace.
#
# Wine reads the power status in each client process, but opens files for a client in the
# wineserver, so both must live in the namespace. A server outside would be found through the
# prefix and serve the real tree; Debian's Wine keeps its server socket under TMPDIR, so a
# private TMPDIR gives the namespace a server of its own, leaving any other one alone.
set -euo pipefail

# Sets `namespace` to the command that makes one here and `enter` to nsenter's options by which
# another process of the user joins it; where none can be made, says why in `reason`.
choose_namespace() {
  local probe=(mount -t tmpfs kestrum-check /sys/class/power_supply) error
  namespace=(unshare --user --map-root-user --mount --propagation private)
  enter="--user --preserve-credentials --mount"
  error=$("${namespace[@]}" "${probe[@]}" 2>&1) && return 0
  namespace=(unshare --mount --propagation private)
  enter=--mount
  [ "$(id -u)" -eq 0 ] && "${namespace[@]}" "${probe[@]}" 2>/dev/null && return 0
  local how="allow them, for example with: sudo sysctl -w user.max_user_namespaces=10000"
  if [ "$(cat /proc/sys/kernel/unprivileged_userns_clone 2>/dev/null)" = 0 ]; then
    how="allow them with: sudo sysctl -w kernel.unprivileged_userns_clone=1"
  elif [ "$(cat /proc/sys/kernel/apparmor_restrict_unprivileged_userns 2>/dev/null)" = 1 ]; then
    how="allow them with: sudo sysctl -w kernel.apparmor_restrict_unprivileged_userns=0"
  fi
  reason="the private power supply needs user namespaces, which are switched off here"
  reason+=" (${error##*: }); $how"
  return 1
}

if [ "${1:-}" = --check ] || [ "${KESTRUM_FAKE_POWER_SUPPLY:-}" != inside ]; then
  choose_namespace || { echo "with_fake_power_supply.sh: $reason" >&2; exit 1; }
  [ "${1:-}" = --check ] && exit 0
  # The command learns from KESTRUM_FAKE_POWER_SUPPLY_ENTER how to be joined.
  KESTRUM_FAKE_POWER_SUPPLY=inside KESTRUM_FAKE_POWER_SUPPLY_ENTER=$enter \
    exec "${namespace[@]}" "$0" "$@"
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
