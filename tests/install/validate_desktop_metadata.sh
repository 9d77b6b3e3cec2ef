#!/usr/bin/env bash
# The desktop entry must pass desktop-file-validate, and its AppStream
# metadata appstreamcli's pedantic validation, without errors, warnings or
# hints. Both carry the same id in their file names, the entry starts the
# launcher by name with the installed icon, and the metadata's latest
# release is this version.
# Usage: validate_desktop_metadata.sh DESKTOP_FILE METAINFO_FILE VERSION
set -euo pipefail
entry=$1 metainfo=$2 version=$3
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

report=$(desktop-file-validate "$entry" 2>&1) || true
[[ -z $report ]] || fail "desktop-file-validate says:"$'\n'"$report"
for line in 'Exec=vexo' 'Icon=vexo' 'Categories=Game;ActionGame;' 'Terminal=false'; do
  grep -qxF "$line" "$entry" || fail "$entry lacks '$line'"
done

# Without --no-net it would fetch the screenshot; the tests run offline.
report=$(appstreamcli validate --pedantic --no-net --no-color "$metainfo" 2>&1) \
  || fail "appstreamcli validate failed"
grep -qx '✔ Validation was successful.' <<<"$report" && (($(wc -l <<<"$report") == 1)) \
  || fail "appstreamcli validate says:"$'\n'"$report"

id=$(basename "$metainfo" .metainfo.xml)
[[ $(basename "$entry") == "$id.desktop" ]] || fail "desktop entry $(basename "$entry") is not named $id.desktop"
grep -qF "<id>$id</id>" "$metainfo" || fail "$metainfo does not carry the id $id"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
  || fail "$metainfo does not launch $id.desktop"
latest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n1 | cut -d'"' -f2)
[[ $latest == "$version" ]] || fail "latest release in $metainfo is '$latest', not $version"

((failures == 0)) || exit 1
echo "desktop entry and AppStream metadata: OK"
