#!/usr/bin/env bash
# The portable Linux release as a player downloads it (scripts/build-portable).
#   check.sh contents ARCHIVE GAME_DIR SOURCE SCRATCH  its files; the data the Linux build's; the
#                                                      libraries and C library its readme names
#   check.sh plays ARCHIVE SCRATCH FONT PLAY...  unpacked in a folder whose name has a space,
#       played from elsewhere with the machine's own Allegro hidden; FONT is the library's font
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
  play=("${@:5}" --font "$3/font.bmp" --installed "$folder/$top/vexo")
  libs=$(realpath -e /usr/lib/*/liballeg.so* /usr/lib/*/allegro 2>/dev/null | sort -u) || true
  [[ -n $libs ]] || { echo "no Allegro on this machine"; "${play[@]}"; exit; }
  # In a mount namespace of its own, the machine's Allegro library turned
  # into an empty file and its module folder into an empty one.
  hide='for lib in $libs; do
          if [[ -d $lib ]]; then mount -t tmpfs none "$lib" && [[ -z $(ls -A "$lib") ]]
          else mount --bind /dev/null "$lib" && [[ ! -s $lib ]]; fi || exit 1
          echo "hidden: $lib"
        done; exec "$@"'
  user=() && [[ $(id -u) -eq 0 ]] || user=(--user --map-root-user)
  libs=$libs unshare "${user[@]}" --mount bash -c "$hide" bash "${play[@]}" ;;
esac
echo "$1: OK"
