#!/usr/bin/env bash
# Photographs the three dialog templates as English, German, Hungarian and Arabic users get
# them, filled with that language's labels and shown in the property sheet's font, on a
# private Xvfb display inside Wine's own desktop (so the dialogs have title bars).
#   tools/dialog_screenshots.sh BUILD_DIR [OUT_DIR]
# BUILD_DIR is a Windows build folder holding bin/dialogview.exe; the PNGs go to OUT_DIR
# (default BUILD_DIR/screenshots) as TEMPLATE_LANGID.png. TEMPLATES and LANGUAGES narrow the
# set, e.g. TEMPLATES=131 LANGUAGES=040e.
set -euo pipefail

build=$(cd "$1" && pwd)
out=${2:-$build/screenshots}
here=$(cd "$(dirname "$0")" && pwd)
viewer=$build/bin/dialogview.exe
[ -f "$viewer" ] || { echo "no $viewer: build the dialogview target first" >&2; exit 1; }
mkdir -p "$out"

# A 64-bit executable needs the 64-bit loader.
machine=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(512); o=struct.unpack_from("<I",d,0x3C)[0]; print(hex(struct.unpack_from("<H",d,o+4)[0]))' "$viewer")
loader=/usr/lib/wine/wine
[ "$machine" = 0x8664 ] && loader=/usr/lib/wine/wine64

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# Wine's own faces have no Arabic glyphs. Arabic gets a prefix of its own whose dialog face
# links to one that has them (the link changes the metrics, so the others keep Wine's faces).
arabic_prefix=$build/arabic-screenshot-prefix
"$here/wine_run.sh" "$arabic_prefix" "$loader" reg add \
  'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
  /v Tahoma /t REG_MULTI_SZ /d 'DejaVuSans.ttf,DejaVu Sans' /f >/dev/null 2>&1

# The geometry of the viewer's dialog once it is on the screen, e.g. 359x128+0+0.
dialog_geometry() {
  xwininfo -root -tree 2>/dev/null |
    awk '/\("dialogview.exe"/ && !/Default IME/ { print $(NF-1); exit }'
}

seconds=4
for template in ${TEMPLATES:-131 130 100}; do
  for language in ${LANGUAGES:-0409 0007 040e 0001}; do
    prefix=$build/wineprefix
    [ "$language" = 0001 ] && prefix=$arabic_prefix
    "$here/wine_run.sh" "$prefix" "$loader" explorer /desktop=dialogview,640x480 \
      "$viewer" "$template" "$language" --fill --sheet-font --seconds "$seconds" &
    viewer_run=$!
    geometry=
    for _ in $(seq 150); do
      geometry=$(dialog_geometry)
      [ -n "$geometry" ] && break
      sleep 0.1
    done
    [ -n "$geometry" ] || { echo "no dialog for $template $language" >&2; exit 1; }
    sleep 1  # let it paint
    png=$out/${template}_${language}.png
    import -window root -crop "$geometry" +repage "$png"
    wait "$viewer_run" || true
    echo "$png"
  done
done
