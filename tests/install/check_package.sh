#!/usr/bin/env bash
# Reads the built Debian package as dpkg would: its control fields name the
# game, its section, maintainer and the libraries it needs at run time, and
# it holds exactly the installed layout under /usr with the right modes, the
# launcher in /usr/games. Then Debian's own checker, lintian, must find no
# error and no warning even at pedantic level; what it says below that is
# shown in the test's output.
# Usage: check_package.sh DEB VERSION
set -euo pipefail
deb=$1 version=$2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

[[ -f $deb ]] || { echo "FAIL: no package at $deb" >&2; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == vexo ]] || fail "Package is '$(field Package)'"
[[ $(field Version) == "$version" ]] || fail "Version is '$(field Version)', not $version"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || fail "Architecture is '$(field Architecture)'"
[[ $(field Section) == games ]] || fail "Section is '$(field Section)'"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^\>]+@[^\>]+\>$ ]] || fail "Maintainer '$(field Maintainer)' is not 'Name <address>'"
[[ $(field Description | head -n1) == "two-player space combat on one keyboard" ]] \
  || fail "Description starts '$(field Description | head -n1)'"
(($(field Description | wc -l) > 1)) || fail "Description has no long text"

# Depends as a list of bare package names.
depends=$(field Depends | tr ',' '\n' | sed 's/(.*)//; s/[[:space:]]//g' | LC_ALL=C sort)
for needed in liballegro4.4 libasound2 libc6 libstdc++6; do
  grep -qx "$needed" <<<"$depends" || fail "Depends lacks $needed: $(field Depends)"
done
# The sound-file library only serves the asset generator at build time.
if grep -q '^libsndfile' <<<"$depends"; then fail "Depends names libsndfile: $(field Depends)"; fi

expected="-rw-r--r-- ./usr/lib/games/vexo/allegro.cfg
-rw-r--r-- ./usr/lib/games/vexo/patches.dat
-rw-r--r-- ./usr/lib/games/vexo/vexo.dat
-rw-r--r-- ./usr/share/applications/org.example.vexo.desktop
-rw-r--r-- ./usr/share/doc/vexo/changelog.gz
-rw-r--r-- ./usr/share/doc/vexo/copyright
-rw-r--r-- ./usr/share/icons/hicolor/128x128/apps/vexo.png
-rw-r--r-- ./usr/share/icons/hicolor/256x256/apps/vexo.png
-rw-r--r-- ./usr/share/icons/hicolor/48x48/apps/vexo.png
-rw-r--r-- ./usr/share/icons/hicolor/64x64/apps/vexo.png
-rw-r--r-- ./usr/share/man/man6/vexo.6.gz
-rw-r--r-- ./usr/share/metainfo/org.example.vexo.metainfo.xml
-rwxr-xr-x ./usr/games/vexo
-rwxr-xr-x ./usr/lib/games/vexo/vexo"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $6 }' | LC_ALL=C sort)
if [[ $files != "$expected" ]]; then
  fail "package files differ from the expected layout"
  diff <(echo "$expected") <(echo "$files") >&2 || true
fi
owners=$(dpkg-deb -c "$deb" | awk '{ print $2 }' | LC_ALL=C sort -u)
[[ $owners == root/root ]] || fail "files not owned by root: $owners"

# The changelog's latest entry is this version.
changelog_version=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/vexo/changelog.gz 2>/dev/null \
  | gzip -dc 2>/dev/null | head -n1 | sed -n 's/^vexo (\([^)]*\)).*/\1/p') || true
[[ $changelog_version == "$version" ]] || fail "changelog's latest entry is '$changelog_version', not $version"

# Lintian prints tags as "<severity letter>: vexo: <tag> ..."; E and W fail.
lintian_report=$(lintian --pedantic --display-info --display-experimental --tag-display-limit 0 "$deb" 2>/dev/null) || true
if grep -E '^[EW]: ' <<<"$lintian_report" >&2; then fail "lintian reports errors or warnings"; fi
echo "lintian says:"
echo "${lintian_report:-  (nothing)}"

((failures == 0)) || exit 1
echo "package $deb: OK"
