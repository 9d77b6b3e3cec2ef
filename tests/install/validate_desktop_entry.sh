#!/usr/bin/env bash
# The desktop entry must pass desktop-file-validate without errors, warnings
# or hints, and start the launcher by name with the installed icon.
# Usage: validate_desktop_entry.sh DESKTOP_FILE
set -euo pipefail
entry=$1
report=$(desktop-file-validate "$entry" 2>&1) || true
[[ -z $report ]] || { echo "FAIL: desktop-file-validate says:" >&2; echo "$report" >&2; exit 1; }
for line in 'Exec=vexo' 'Icon=vexo' 'Categories=Game;ActionGame;' 'Terminal=false'; do
  grep -qxF "$line" "$entry" || { echo "FAIL: $entry lacks '$line'" >&2; exit 1; }
done
echo "desktop entry: OK"
