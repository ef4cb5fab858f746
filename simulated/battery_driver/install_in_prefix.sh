#!/bin/sh
# Puts the development battery driver into a build folder's Wine prefix: the driver file of
# the prefix's bitness into its driver folder, whenever the build has a newer one, and once
# per prefix its service and device node (kestrumctl battery install). Quick when all is there.
#   install_in_prefix.sh PREFIX LOADER
# WINEPREFIX must name PREFIX. Does nothing for a build without the driver or the tool.
set -eu
prefix=$1 loader=$2
build=$(dirname "$prefix")
# A 64-bit prefix has a folder for 32-bit programs, and needs a 64-bit driver even for them.
if [ -d "$prefix/drive_c/windows/syswow64" ]; then
  arch=x86_64 native_loader=/usr/lib/wine/wine64
else
  arch=i686 native_loader=$loader
fi
driver=$build/bin/drivers/$arch/kestrum_battery.sys
tool=$build/bin/kestrumctl.exe
[ -f "$driver" ] && [ -f "$tool" ] || exit 0

installed=$prefix/drive_c/windows/system32/drivers/kestrum_battery.sys
if ! cmp -s "$driver" "$installed"; then
  # A new file under the old name: a running Wine keeps the loaded driver until it ends.
  cp "$driver" "$installed.new"
  mv -f "$installed.new" "$installed"
fi
stamp=$prefix/kestrum_battery_installed
if [ ! -f "$stamp" ]; then
  # Wine gives a driver the bitness of the program that created its service, and fails a
  # relative image path (error 1114).
  "$native_loader" sc create KestrumBattery type= kernel start= demand error= normal \
    binpath= '\SystemRoot\System32\drivers\kestrum_battery.sys' </dev/null >/dev/null 2>&1 || true
  if "$loader" "$tool" battery install </dev/null >/dev/null; then
    touch "$stamp"
  else
    echo "install_in_prefix.sh: the development battery driver is not in service in $prefix" >&2
  fi
fi
