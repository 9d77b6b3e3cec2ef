#!/usr/bin/env bash
# The portable Linux release as a player downloads it (scripts/build-portable).
#   check.sh contents ARCHIVE GAME_DIR SOURCE SCRATCH  its files; the data the Linux build's; the
#                                                      libraries and C library its readme names
#   check.sh plays ARCHIVE SCRATCH FONT PLAY...  unpacked in a folder whose name has a space,
#       played from elsewhere, never reaching the machine's own Allegro; FONT is the library's font
#       for the scenario to read the screen with, as a picture or the program that dumps it
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
same() { [[ $1 == "$2" ]] || { diff <(echo "$1") <(echo "$2") >&2; fail "$3"; }; }
archive=$2 top=$(basename "$2" .tar.gz)
[[ -f $archive ]] || fail "no $archive: run scripts/build-portable"

case $1 in
contents)
  game=$3 unpacked=$5/$top
  rm -rf "$5" && mkdir -p "$5" && tar -xzf "$archive" -C "$5"
  same "$(tar -tvzf "$archive" | awk '{ print $1, $2, $6 }')" "$(echo "drwxr-xr-x 0/0 $top/"
    for f in GPL-2.txt LICENSE README.txt allegro.cfg patches.dat vexo vexo.dat; do
      [[ $f == vexo ]] && echo "-rwxr-xr-x 0/0 $top/$f" || echo "-rw-r--r-- 0/0 $top/$f"; done)" "the archive's files"
  for f in "$game"/{allegro.cfg,patches.dat,vexo.dat} "$4/LICENSE" /usr/share/common-licenses/GPL-2; do
    name=$(basename "$f") && [[ $name != GPL-2 ]] || name=GPL-2.txt
    cmp "$f" "$unpacked/$name" || fail "$f differs from the archive's"
  done
  readme=$(sed -n '/^What it needs/,/^Their packages/p' "$unpacked/README.txt")
  same "$(readelf -d "$unpacked/vexo" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | sort)" \
    "$(grep -oE '[[:alnum:]_-]+\.so\.[0-9]+' <<<"$readme" | sort)" "the libraries vexo needs, against its readme's"
  floor=$(grep -oP 'GNU C library, \K[0-9.]+(?= or newer)' <<<"$readme") || fail "the readme names no C library"
  newer=$(readelf -W --dyn-syms "$unpacked/vexo" | grep -oE '@GLIBC_[0-9.]+' | sort -u | cut -d_ -f2 |
          while read -r v; do [[ $(printf '%s\n' "$v" "$floor" | sort -V | tail -n1) == "$floor" ]] || echo "$v"; done)
  same "$newer" "" "vexo asks for C library versions past its readme's $floor"
  echo "vexo needs $(readelf -d "$unpacked/vexo" | grep -c NEEDED) libraries and the C library $floor" ;;
plays)
  folder="$3/Vexo games"
  rm -rf "$3" && mkdir -p "$folder" && tar -xzf "$archive" -C "$folder"
  if [[ -x $4 ]]; then "$4" "$3/font.bmp"; else cp "$4" "$3/font.bmp"; fi
  # The dynamic loader logs every library each program of the run looks for
  # and loads: the game's log must name no Allegro of the machine's, neither
  # the library nor a driver module.
  mkdir "$3/ld"
  LD_DEBUG=libs,files LD_DEBUG_OUTPUT="$3/ld/log" "${@:5}" --font "$3/font.bmp" --installed "$folder/$top/vexo"
  logs=$(grep -lF "needed by $folder/$top/vexo " "$3"/ld/log.*) || fail "no loader log of the game"
  ! grep -i alleg $logs || fail "the game looked for the machine's Allegro" ;;
esac
echo "$1: OK"
