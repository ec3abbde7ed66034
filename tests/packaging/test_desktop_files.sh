#!/usr/bin/env bash
# The desktop entry and the AppStream metadata pass their validators, and name what is installed.
set -euo pipefail
src=$1
desktop-file-validate "$src/packaging/quillet.desktop"
appstreamcli validate --no-net --pedantic "$src/packaging/org.quillet.quillet.metainfo.xml"
grep -qx 'Icon=quillet' "$src/packaging/quillet.desktop"
grep -qx 'Exec=quillet' "$src/packaging/quillet.desktop"
grep -q '<launchable type="desktop-id">quillet.desktop</launchable>' "$src/packaging/org.quillet.quillet.metainfo.xml"
# Each screenshot the metadata announces is one we keep, at the size it states.
grep -o 'screenshots/[a-z-]*\.png' "$src/packaging/org.quillet.quillet.metainfo.xml" | while read -r shot; do
  file "$src/packaging/$shot" | grep -q 'PNG image data, 1366 x 768' || { echo "missing or wrong size: $shot"; exit 1; }
done
echo "desktop files valid"
