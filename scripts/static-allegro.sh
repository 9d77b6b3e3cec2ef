#!/usr/bin/env bash
# Builds Allegro 4.4.3.1 as a static library, for 64-bit Windows with
# MinGW-w64 or for this Linux machine (the portable release).
# Usage: scripts/static-allegro.sh windows|linux OUT
#
# The source is the upstream tarball that Debian's allegro4.4 source package
# carries (the same file in Debian 12 and 13), fetched from the source
# archive of this machine's release and checked against the SHA-256 pinned
# below (the one both releases' .dsc list), then patched with
# packaging/windows/allegro-4.4.3.1.patch. The result is
# OUT/prefix/{include,lib/liballeg.a}. A finished build is reused while the
# source, the patch, the toolchain file and the flags stay the same.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
system="$1"
out="$(mkdir -p "$2" && cd "$2" && pwd)"
patch_file="$root/packaging/windows/allegro-4.4.3.1.patch"
version=4.4.3.1
orig="allegro4.4_$version.orig.tar.gz"
orig_sha256=ec19dbc9a021244582b4819b3583ee594b50141f9fcf6944a4ed8069cbf8d4d4
# Its CMakeLists.txt asks for CMake 2.6; CMake 4 refuses anything older than
# 3.5 unless told the project is fine with 3.5's behaviour (3.25 ignores the flag).
flags=(-DCMAKE_POLICY_VERSION_MINIMUM=3.5 -DCMAKE_BUILD_TYPE=Release -DSHARED=OFF -DWANT_EXAMPLES=OFF -DWANT_TOOLS=OFF -DWANT_TESTS=OFF
       -DWANT_DOCS=OFF -DWANT_ALLEGROGL=OFF -DWANT_LOADPNG=OFF -DWANT_LOGG=OFF -DWANT_JPGALLEG=OFF)
case $system in
  windows) toolchain="$root/packaging/windows/mingw-w64-x86_64.cmake"
           flags+=(-DCMAKE_TOOLCHAIN_FILE="$toolchain") ;;
  # The drivers a desktop needs, built into the library rather than loaded as
  # modules from the machine's Allegro: X11 (DGA, gone from today's servers,
  # is left out: no libxxf86dga-dev), ALSA for sound and the software
  # synthesiser for music. PIC: the game is a position-independent executable.
  linux) toolchain=/dev/null
         flags+=(-DWANT_MODULES=OFF -DWANT_OSS=OFF -DWANT_JACK=OFF -DWANT_SGIAUDIO=OFF -DWANT_LINUX_CONSOLE=OFF
                 -DWANT_X11=ON -DWANT_ALSA=ON -DCMAKE_POSITION_INDEPENDENT_CODE=ON) ;;
  *) sed -n '4,5p' "$0" >&2; exit 2 ;;
esac
# One download serves both builds.
download="$root/build/allegro-source"
mkdir -p "$root/build"
prefix="$out/prefix"

source_verified() {
  [[ -f "$download/$orig" && "$(sha256sum "$download/$orig" | cut -d' ' -f1)" == "$orig_sha256" ]]
}

# The machine needs no deb-src line of its own: apt gets one for these calls,
# naming the archive the machine already uses, to learn where this release
# keeps the tarball; apt's own downloader then fetches it.
fetch_source() {
  local apt_dir="$download.apt" mirror suite url
  mirror="$("$root/scripts/debian-mirror.sh")" || exit 1
  suite="$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")"
  rm -rf "$apt_dir" "$download" && mkdir -p "$apt_dir/lists/partial" "$download"
  printf '%s\n' "Types: deb-src" "URIs: $mirror" "Suites: $suite" "Components: main" \
    "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" > "$apt_dir/src.sources"
  local apt_options=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt_dir"
                     -o Dir::State::Lists="$apt_dir/lists" -o Debug::NoLocking=1 -q)
  url="$( { apt-get "${apt_options[@]}" update >&2 &&
            apt-get "${apt_options[@]}" source --print-uris allegro4.4; } 2>> "$download.log" |
          awk -v name="$orig" '$2 == name { gsub("\047", "", $1); print $1 }' || true)"
  # A release that no longer lists the package still keeps the file in the pool.
  url="${url:-$mirror/pool/main/a/allegro4.4/$orig}"
  echo "Fetching $url" >> "$download.log"
  /usr/lib/apt/apt-helper download-file "$url" "$download/$orig" >> "$download.log" 2>&1 ||
    { echo "allegro4.4 source: could not download $url (see $download.log)" >&2; exit 1; }
  source_verified ||
    { echo "allegro4.4 source: $url is not the file pinned here (SHA-256 $orig_sha256)" >&2; exit 1; }
}

if ! source_verified; then
  echo "Fetching Allegro $version's source from Debian's archive"
  : > "$download.log"
  fetch_source
fi

stamp="$( (sha256sum "$download/$orig" "$patch_file" "$toolchain" | cut -d' ' -f1; echo "${flags[*]/$root/}") |
          sha256sum | cut -d' ' -f1)"
if [[ -f "$prefix/lib/liballeg.a" && "$(cat "$prefix/stamp" 2>/dev/null)" == "$stamp" ]]; then
  echo "Allegro for $system: reusing $prefix"
  exit 0
fi

echo "Building Allegro $version for $system in $out"
rm -rf "$out/src" "$out/build" "$prefix"
mkdir -p "$out/src"
tar -xzf "$download/$orig" -C "$out/src" --strip-components=1
patch -d "$out/src" -p1 --batch --forward --quiet < "$patch_file"
cmake -S "$out/src" -B "$out/build" -DCMAKE_INSTALL_PREFIX="$prefix" "${flags[@]}" > "$out/configure.log" 2>&1 ||
  { tail -n 40 "$out/configure.log" >&2; exit 1; }
# Without ALSA's headers the library builds silently without sound.
[[ $system != linux ]] || grep -q '^ALSA_FOUND:INTERNAL=1' "$out/build/CMakeCache.txt" ||
  { echo "Allegro for linux: ALSA not found (libasound2-dev)" >&2; exit 1; }
cmake --build "$out/build" -j"$(nproc)" > "$out/build.log" 2>&1 ||
  { tail -n 40 "$out/build.log" >&2; exit 1; }
cmake --install "$out/build" > "$out/install.log" 2>&1
echo "$stamp" > "$prefix/stamp"
echo "Allegro for $system: $prefix/lib/liballeg.a"
