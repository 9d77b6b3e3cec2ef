#!/usr/bin/env bash
# The installed game and its Debian package, checked as a player meets them.
#   check.sh metadata ENTRY METAINFO VERSION  desktop entry and AppStream metadata
#   check.sh prefix SCRATCH CMAKE BUILD PLAY...  installed into a prefix, moved, played
#   check.sh package DEB VERSION SCRATCH       control fields, files, lintian
#   check.sh unpack DEB SCRATCH PLAY...         Depends met here; unpacked and played
#   check.sh reproducible SOURCE BUILD_TYPE SCRATCH  the package built twice elsewhere, byte for byte
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
  same "$(desktop-file-validate "$2" 2>&1)" "" "desktop-file-validate complains"
  # StartupWMClass: the class of the game's window, by which a shell finds its entry.
  lines='Exec=vexo|Icon=vexo|Categories=Game;ActionGame;|Terminal=false|StartupWMClass=vexo'
  same "$(grep -xcE "$lines" "$2")" 5 "desktop entry's lines"
  # --no-net: the tests run offline, and it would fetch the screenshot.
  same "$(appstreamcli validate --pedantic --no-net --no-color "$3" 2>&1)" "✔ Validation was successful." \
    "appstreamcli validate complains"
  grep -qF '<launchable type="desktop-id">org.example.vexo.desktop</launchable>' "$3" || fail "no launchable"
  same "$(grep -om1 '<release version="[^"]*"' "$3")" "<release version=\"$4\"" "latest release is not $4" ;;
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
  deb=$2 scratch=$4
  mkdir -p "$scratch"
  field() { dpkg-deb -f "$deb" "$1"; }
  for pair in Package=vexo Version=$3 Architecture=$(dpkg --print-architecture) Section=games; do
    same "$(field "${pair%%=*}")" "${pair#*=}" "control field ${pair%%=*}"
  done

  # Depends names this release's packages of what the game links to (Debian 13
  # renamed some, liballegro4.4t64 for one), with ALSA's for the library's sound
  # plugin, and not the sound-file library, which serves only the asset generator.
  multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
  owner() { dpkg -S "*/$multiarch/$1" | cut -d: -f1 | sort -u; }
  needed=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/lib/games/vexo/vexo > "$scratch/vexo.bin" &&
           objdump -p "$scratch/vexo.bin" | awk '$1 == "NEEDED" { print $2 }')
  same "$(field Depends | tr ',' '\n' | sed 's/(.*)//; s/ //g' | LC_ALL=C sort)" \
    "$( (for lib in $needed libasound.so.2; do owner "$lib"; done) | LC_ALL=C sort -u)" "Depends"
  ! grep -q sndfile <<<"$(field Depends)" || fail "Depends names the sound-file library"
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
  "${@:4}" --installed "$3/root/usr/games/vexo"
  # On CI, a machine thrown away after the run, the package is also installed
  # for real, played from the path every user has, and removed again.
  if [[ ${CI:-} == true && $(id -u) -eq 0 ]]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$(realpath "$2")" > "$3/apt-install.log" 2>&1 ||
      { tail -n 20 "$3/apt-install.log" >&2; fail "apt-get install of the package"; }
    "${@:4}" --installed /usr/games/vexo && played=0 || played=$?
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -q vexo > "$3/apt-remove.log" 2>&1 || fail "apt-get remove vexo"
    [[ $played -eq 0 ]] || fail "the installed package did not play"
    echo "installed with apt-get, played from /usr/games/vexo and removed"
  fi ;;
reproducible)
  # Two copies of the sources (as they are, committed or not), built in
  # different folders one after the other, pack the same .deb, both dated by
  # the last commit as Debian's reproducible builds date theirs.
  source=$2 build_type=$3 scratch=$4
  epoch=$(git -c safe.directory='*' -C "$source" log -1 --format=%ct 2>/dev/null) ||
    { echo "not a git clone: no commit to date the package by"; exit 77; }
  export SOURCE_DATE_EPOCH=$epoch
  rm -rf "$scratch"
  for copy in first second-copy; do
    c=$scratch/$copy
    mkdir -p "$c/source"
    (cd "$source" && git -c safe.directory='*' ls-files -z --cached --others --exclude-standard |
       xargs -0 cp --parents -t "$c/source")
    { cmake -S "$c/source" -B "$c/build" -DCMAKE_BUILD_TYPE="$build_type" -DVEXO_BUILD_TESTS=OFF -DVEXO_BUILD_BENCH=OFF &&
      cmake --build "$c/build" -j"$(nproc)" && cpack -G DEB -B "$c/deb" --config "$c/build/CPackConfig.cmake"; } \
      > "$c/build.log" 2>&1 || { tail -n 20 "$c/build.log" >&2; fail "the copy in $copy does not build"; }
  done
  a=$(ls "$scratch"/first/deb/vexo_*.deb) b=$(ls "$scratch"/second-copy/deb/vexo_*.deb)
  cmp "$a" "$b" || fail "two builds of the same sources pack different packages (unpack both with dpkg-deb -R)"
  echo "both builds pack the same package, SHA-256 $(sha256sum < "$a" | cut -c1-16)..." ;;
esac
echo "$1: OK"
