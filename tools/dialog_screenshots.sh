#!/usr/bin/env bash
# Photographs the three dialog templates as English, German, Hungarian and Arabic users get
# them, each filled with that language's labels and shown in the property sheet's font, under
# a private Xvfb display with Wine's own desktop (so the dialogs have title bars).
#   tools/dialog_screenshots.sh BUILD_DIR [OUT_DIR]
# BUILD_DIR is a Windows build folder holding bin/dialogview.exe; the PNGs go to OUT_DIR
# (default BUILD_DIR/screenshots) as TEMPLATE_LANGID.png.
set -euo pipefail

build=$(cd "$1" && pwd)
out=${2:-$build/screenshots}
here=$(cd "$(dirname "$0")" && pwd)
viewer=$build/bin/dialogview.exe
[ -f "$viewer" ] || { echo "no $viewer: build the dialogview target first" >&2; exit 1; }
mkdir -p "$out"

# A 64-bit executable needs the 64-bit loader; 32-bit Wine cannot start on every kernel.
machine=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(512); o=struct.unpack_from("<I",d,0x3C)[0]; print(hex(struct.unpack_from("<H",d,o+4)[0]))' "$viewer")
loader=/usr/lib/wine/wine
[ "$machine" = 0x8664 ] && loader=/usr/lib/wine/wine64

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# A prefix of its own, whose dialog fonts link to a face with Arabic glyphs: Wine's own faces
# have none, and the test prefix stays as the tests expect it.
prefix=$build/screenshot-prefix
run() { "$here/wine_run.sh" "$prefix" "$loader" "$@"; }
link_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for face in Tahoma "MS Shell Dlg" "MS Sans Serif" "Microsoft Sans Serif"; do
  run reg add "$link_key" /v "$face" /t REG_MULTI_SZ /d 'NotoSansArabic-Regular.ttf,Noto Sans Arabic' /f \
    >/dev/null 2>&1
done

width=640 height=480 seconds=6
for template in ${TEMPLATES:-131 130 100}; do
  for language in ${LANGUAGES:-0409 0007 040e 0001}; do
    run explorer /desktop=dialogview,${width}x${height} \
      "$viewer" "$template" "$language" --fill --sheet-font --seconds "$seconds" &
    viewer_run=$!
    sleep $((seconds - 2))
    import -window root -crop "${width}x${height}+0+0" +repage "$out/${template}_${language}.png"
    wait "$viewer_run" || true
    echo "$out/${template}_${language}.png"
  done
done
