#!/usr/bin/env bash
# Prints the Debian archive this machine's apt uses (for example
# http://deb.debian.org/debian), read from either way of naming it: the
# deb822 files /etc/apt/sources.list.d/*.sources ("URIs:" lines), or the
# classic one-line lists /etc/apt/sources.list and sources.list.d/*.list
# ("deb URI SUITE ..."). Security and update archives are passed over.
# Exits 1, saying so in one line, when no archive is named anywhere.
set -euo pipefail
etc="${APT_ETC:-/etc/apt}"

candidates() {
  local file
  for file in "$etc"/sources.list.d/*.sources; do
    [[ -f "$file" ]] || continue
    awk '/^URIs:/ { for (i = 2; i <= NF; i++) print $i }' "$file"
  done
  for file in "$etc"/sources.list "$etc"/sources.list.d/*.list; do
    [[ -f "$file" ]] || continue
    # "deb [options] URI suite components"
    sed -E 's/\[[^]]*\]//' "$file" | awk '$1 == "deb" { print $2 }'
  done
}

# Debian's own archive first (its path ends in /debian), then any other.
found="$(candidates | grep -E '^https?://' | grep -v -- '-security' || true)"
mirror="$( (grep -E '/debian/?$' <<<"$found"; echo "$found") | grep -m 1 . || true)"
if [[ -z "$mirror" ]]; then
  echo "no Debian archive named in $etc/sources.list or $etc/sources.list.d/ (deb822 .sources or one-line .list)" >&2
  exit 1
fi
echo "${mirror%/}"
