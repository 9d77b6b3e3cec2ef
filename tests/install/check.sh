#!/usr/bin/env bash
# The installed game and its Debian package, checked as a player meets them.
#   check.sh metadata PACKAGING_DIR VERSION    desktop entry and AppStream metadata
#   check.sh prefix SCRATCH CMAKE BUILD PLAY...  installed into a prefix, moved, played
#   check.sh package DEB VERSION               control fields, files, lintian
#   check.sh unpack DEB SCRATCH PLAY...         Depends met here; unpacked and played
# PLAY... plays the game through the launcher added to its arguments.
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
same() { [[ $1 == "$2" ]] || { diff <(echo "$1") <(echo "$2") >&2; fail "$3"; }; }
# What the game installs below its prefix, beside its launcher (bin/vexo, or usr/games/vexo in the package).
files=(lib/games/vexo/{allegro.cfg,patches.dat,vexo,vexo.dat} share/man/man6/vexo.6.gz
  share/applications/org.example.vexo.desktop share/metainfo/org.example.vexo.metainfo.xml
  share/doc/vexo/{changelog.gz,copyright} share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/vexo.png)
layout() { printf '%s\n' "$1" "${files[@]/#/${2:-}}" | LC_ALL=C sort; }

case $1 in
metadata)
  entry=$2/org.example.vexo.desktop metainfo=$2/org.example.vexo.metainfo.xml
  same "$(desktop-file-validate "$entry" 2>&1)" "" "desktop-file-validate complains"
  lines='Exec=vexo|Icon=vexo|Categories=Game;ActionGame;|Terminal=false'
  same "$(grep -xcE "$lines" "$entry")" 4 "desktop entry's lines"
  # --no-net: the tests run offline, and it would fetch the screenshot.
  same "$(appstreamcli validate --pedantic --no-net --no-color "$metainfo" 2>&1)" "✔ Validation was successful." \
    "appstreamcli validate complains"
  grep -qF '<launchable type="desktop-id">org.example.vexo.desktop</launchable>' "$metainfo" || fail "no launchable"
  same "$(grep -om1 '<release version="[^"]*"' "$metainfo")" "<release version=\"$3\"" "latest release is not $3" ;;
prefix)
  rm -rf "$2" && mkdir -p "$2"
  "$3" --install "$4" --prefix "$2/prefix" >"$2/install.log"
  same "$(cd "$2/prefix" && find . -type f -printf '%P\n' | LC_ALL=C sort)" "$(layout bin/vexo)" "installed files"
  # Moved elsewhere, the prefix still plays, and playing writes nothing into it.
  moved=$2/moved
  mv "$2/prefix" "$moved"
  snapshot() { (cd "$moved" && find . -printf '%P %s %T@\n' | LC_ALL=C sort); }
  before=$(snapshot)
  "${@:5}" --installed "$moved/bin/vexo"
  same "$(snapshot)" "$before" "playing changed the installed files" ;;
package)
  deb=$2
  field() { dpkg-deb -f "$deb" "$1"; }
  for pair in Package=vexo Version=$3 Architecture=$(dpkg --print-architecture) Section=games; do
    same "$(field "${pair%%=*}")" "${pair#*=}" "control field ${pair%%=*}"
  done

  # What the game links to, and not the sound-file library, which serves only the asset generator.
  same "$(field Depends | tr ',' '\n' | sed 's/(.*)//; s/ //g' | LC_ALL=C sort)" \
    "$(printf '%s\n' liballegro4.4 libasound2 libc6 libgcc-s1 libstdc++6)" "Depends"
  expected=$(layout ./usr/games/vexo ./usr/ | while read -r f; do
    [[ $f == */vexo/vexo || $f == */games/vexo ]] && mode=-rwxr-xr-x || mode=-rw-r--r--
    echo "$mode root/root $f"; done | LC_ALL=C sort -k3)
  same "$(dpkg-deb -c "$2" | awk '$1 !~ /^d/ { print $1, $2, $6 }' | LC_ALL=C sort -k3)" "$expected" "package files"
  changelog=$(dpkg-deb --fsys-tarfile "$2" | tar -xOf - ./usr/share/doc/vexo/changelog.gz | gzip -dc)
  same "$(head -n1 <<<"$changelog" | cut -d' ' -f2)" "($3)" "changelog's latest entry"
  # Lintian tags read "<severity>: vexo: <tag>"; errors and warnings fail, the rest is shown.
  report=$(lintian --pedantic --display-info --display-experimental --tag-display-limit 0 "$2" 2>/dev/null) || true
  echo "lintian: ${report:-nothing}"
  ! grep -qE '^[EW]: ' <<<"$report" || fail "lintian reports errors or warnings" ;;
unpack)
  dpkg-checkbuilddeps -d "$(dpkg-deb -f "$2" Depends)" /dev/null || fail "this machine does not meet Depends"
  rm -rf "$3" && mkdir -p "$3/root" && dpkg-deb -x "$2" "$3/root"
  "${@:4}" --installed "$3/root/usr/games/vexo" ;;
esac
echo "$1: OK"
