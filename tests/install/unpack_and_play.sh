#!/usr/bin/env bash
# Stands in for installing the package: the machine's installed packages must
# satisfy its Depends (what apt would otherwise have to fetch), and its files,
# unpacked into a scratch root instead of /, must start and play through the
# packaged launcher in usr/games. Nothing is installed into the machine itself.
# Usage: unpack_and_play.sh DEB SCRATCH_DIR
set -euo pipefail
deb=$1 scratch=$2
here=$(cd "$(dirname "$0")" && pwd)

depends=$(dpkg-deb -f "$deb" Depends)
dpkg-checkbuilddeps -d "$depends" /dev/null \
  || { echo "FAIL: this machine does not satisfy Depends: $depends" >&2; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch"
dpkg-deb -x "$deb" "$scratch/root"
"$here/play_through.sh" "$scratch/root/usr/games/vexo"
echo "unpacked package plays: OK"

# On a throwaway CI machine (CI=true, as root) the package is also installed
# for real with apt-get, played through /usr/games/vexo and removed again, so
# dpkg's own install step is covered too. Elsewhere the machine is left alone.
if [[ "${CI:-}" == true && $(id -u) -eq 0 ]] && ! dpkg-query -W vexo >/dev/null 2>&1; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -q "$(realpath "$deb")"
  trap 'apt-get remove -y -q vexo >/dev/null 2>&1 || true' EXIT
  [[ -x /usr/games/vexo && -f /usr/lib/games/vexo/vexo.dat ]] \
    || { echo "FAIL: apt-get install left no /usr/games/vexo or no data file" >&2; exit 1; }
  "$here/play_through.sh" /usr/games/vexo
  echo "installed package plays: OK"
fi
