#!/usr/bin/env bash
# The Debian package holds the whole program, depends on Debian's libraries instead of
# bundling them, and the program starts from its launcher once unpacked.
set -euo pipefail
src=$1 build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) \
  || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/quillet_*.deb)
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' > "$work/contents"

expect() { grep -qx "$1" "$work/contents" || { echo "package lacks $1"; exit 1; }; }
for path in /usr/bin/quillet /usr/lib/quillet/quillet /usr/share/applications/quillet.desktop \
  /usr/share/metainfo/org.quillet.quillet.metainfo.xml /usr/share/icons/hicolor/scalable/apps/quillet.svg \
  /usr/share/doc/quillet/copyright; do
  expect "$path"
done
for size in 16 24 32 48 64 128 256; do expect "/usr/share/icons/hicolor/${size}x${size}/apps/quillet.png"; done
for word in head hair ears eyes nose mouth neck shoulders arm hands fingers legs knee foot feet toes tooth teeth; do
  expect "/usr/lib/quillet/jpg/$word.jpg"
done
if grep -q '\.so' "$work/contents"; then echo "package bundles a library:"; grep '\.so' "$work/contents"; exit 1; fi

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libespeak-ng1 libqt6widgets6 libqt6svg6 libqt6multimedia6 espeak-ng-data fonts-comic-neue qt6-qpa-plugins; do
  echo "$depends" | grep -q "\b$lib\b" || { echo "Depends lacks $lib: $depends"; exit 1; }
done

# Unpacked anywhere, the launcher finds the program and the program its pictures.
dpkg-deb -x "$deb" "$work/root"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
rc=0
timeout 5 "$work/root/usr/bin/quillet" >"$work/run.log" 2>&1 || rc=$?
if [ "$rc" -ne 124 ]; then echo "program ended early with $rc:"; cat "$work/run.log"; exit 1; fi
if grep -qi 'cannot\|error' "$work/run.log"; then cat "$work/run.log"; exit 1; fi
echo "package complete"
