#!/usr/bin/env bash
# Installs the built game into a fresh prefix, checks that every file lands
# where the launcher, the desktop and the manual look for it, moves the whole
# prefix elsewhere and plays through its launcher there. Playing must leave
# the installed files as they were: the game writes none.
# Usage: install_and_play.sh CMAKE BUILD_DIR SCRATCH_DIR
set -euo pipefail
cmake=$1 build=$2 scratch=$3
here=$(cd "$(dirname "$0")" && pwd)

rm -rf "$scratch"
mkdir -p "$scratch"
"$cmake" --install "$build" --prefix "$scratch/prefix" >"$scratch/install.log"

expected_files="bin/vexo
lib/games/vexo/allegro.cfg
lib/games/vexo/patches.dat
lib/games/vexo/vexo
lib/games/vexo/vexo.dat
share/applications/org.example.vexo.desktop
share/doc/vexo/changelog.gz
share/doc/vexo/copyright
share/icons/hicolor/128x128/apps/vexo.png
share/icons/hicolor/256x256/apps/vexo.png
share/icons/hicolor/48x48/apps/vexo.png
share/icons/hicolor/64x64/apps/vexo.png
share/man/man6/vexo.6.gz
share/metainfo/org.example.vexo.metainfo.xml"
installed_files=$(cd "$scratch/prefix" && find . -type f -printf '%P\n' | LC_ALL=C sort)
if [[ $installed_files != "$expected_files" ]]; then
  echo "FAIL: installed files differ from the expected layout:" >&2
  diff <(echo "$expected_files") <(echo "$installed_files") >&2 || true
  exit 1
fi
for program in bin/vexo lib/games/vexo/vexo; do
  [[ -x $scratch/prefix/$program ]] || { echo "FAIL: $program is not executable" >&2; exit 1; }
done
gzip -t "$scratch/prefix/share/man/man6/vexo.6.gz" "$scratch/prefix/share/doc/vexo/changelog.gz"

# A prefix that is not where it was installed must still work.
mv "$scratch/prefix" "$scratch/moved"
snapshot() { (cd "$scratch/moved" && find . -printf '%P %s %T@\n' | LC_ALL=C sort); }
before=$(snapshot)
"$here/play_through.sh" "$scratch/moved/bin/vexo"
after=$(snapshot)
if [[ $before != "$after" ]]; then
  echo "FAIL: playing changed the installed files:" >&2
  diff <(echo "$before") <(echo "$after") >&2 || true
  exit 1
fi
echo "installed layout and launcher: OK"
