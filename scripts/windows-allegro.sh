#!/usr/bin/env bash
# Builds Allegro 4.4.3.1 as a static library for 64-bit Windows with MinGW-w64.
# Usage: scripts/windows-allegro.sh OUT
#
# The source is Debian's allegro4.4 source package (its .orig.tar.gz, checked
# against the SHA-256 in the .dsc), with packaging/windows/allegro-4.4.3.1.patch
# applied. The result is OUT/prefix/{include,lib/liballeg.a}. A finished build
# is reused while the source, the patch, the toolchain file and the flags stay
# the same.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(mkdir -p "$1" && cd "$1" && pwd)"
patch_file="$root/packaging/windows/allegro-4.4.3.1.patch"
toolchain="$root/packaging/windows/mingw-w64-x86_64.cmake"
version=4.4.3.1
orig="allegro4.4_$version.orig.tar.gz"
flags=(-DCMAKE_BUILD_TYPE=Release -DSHARED=OFF -DWANT_EXAMPLES=OFF -DWANT_TOOLS=OFF -DWANT_TESTS=OFF
       -DWANT_DOCS=OFF -DWANT_ALLEGROGL=OFF -DWANT_LOADPNG=OFF -DWANT_LOGG=OFF -DWANT_JPGALLEG=OFF)
download="$out/download"
prefix="$out/prefix"

# The SHA-256 the .dsc gives for the upstream tarball (apt has checked the
# .dsc itself against the archive's signed index).
dsc_sha256() {
  awk -v name="$orig" '/^Checksums-Sha256:/ {inside = 1; next}
                       /^[^ ]/ {inside = 0}
                       inside && $3 == name {print $1}' "$1"
}

source_verified() {
  local dsc
  dsc="$(ls "$download"/allegro4.4_"$version"-*.dsc 2>/dev/null | head -n 1)"
  [[ -n "$dsc" && -f "$download/$orig" ]] || return 1
  local want got
  want="$(dsc_sha256 "$dsc")"
  got="$(sha256sum "$download/$orig" | cut -d' ' -f1)"
  [[ -n "$want" && "$want" == "$got" ]]
}

# The machine needs no deb-src line of its own: apt gets one for these two
# calls, pointing at the mirror the machine already uses.
fetch_source() {
  local apt_dir="$out/apt" mirror suite
  mirror="$(grep -h -m1 -E '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1 | awk '{print $2}')"
  if [[ -z "$mirror" ]]; then
    mirror="$(grep -h -m1 -E '^deb +http' /etc/apt/sources.list 2>/dev/null | head -n 1 | awk '{print $2}')"
  fi
  mirror="${mirror:-http://deb.debian.org/debian}"
  suite="$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")"
  rm -rf "$apt_dir" && mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$download"
  cat > "$apt_dir/src.sources" <<EOF
Types: deb-src
URIs: $mirror
Suites: $suite
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  local apt_options=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt_dir"
                     -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache"
                     -o Debug::NoLocking=1 -q)
  # The Debian diff is not needed (and the archive may no longer carry it):
  # the status of the download says nothing; the checksum afterwards decides.
  { apt-get "${apt_options[@]}" update &&
    (cd "$download" && apt-get "${apt_options[@]}" source --download-only allegro4.4); } > "$out/fetch.log" 2>&1 || true
}

if ! source_verified; then
  echo "Fetching Allegro $version's source from Debian's archive"
  fetch_source
  source_verified || { cat "$out/fetch.log" >&2
                       echo "allegro4.4 source: missing, or its SHA-256 differs from the .dsc's" >&2; exit 1; }
fi

stamp="$( (sha256sum "$download/$orig" "$patch_file" "$toolchain" | cut -d' ' -f1; echo "${flags[*]}") |
          sha256sum | cut -d' ' -f1)"
if [[ -f "$prefix/lib/liballeg.a" && "$(cat "$prefix/stamp" 2>/dev/null)" == "$stamp" ]]; then
  echo "Allegro for Windows: reusing $prefix"
  exit 0
fi

echo "Building Allegro $version for Windows in $out"
rm -rf "$out/src" "$out/build" "$prefix"
mkdir -p "$out/src"
tar -xzf "$download/$orig" -C "$out/src" --strip-components=1
patch -d "$out/src" -p1 --batch --forward --quiet < "$patch_file"
cmake -S "$out/src" -B "$out/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" \
      "${flags[@]}" > "$out/configure.log" 2>&1 || { tail -n 40 "$out/configure.log" >&2; exit 1; }
cmake --build "$out/build" -j"$(nproc)" > "$out/build.log" 2>&1 ||
  { tail -n 40 "$out/build.log" >&2; exit 1; }
cmake --install "$out/build" > "$out/install.log" 2>&1
echo "$stamp" > "$prefix/stamp"
echo "Allegro for Windows: $prefix/lib/liballeg.a"
