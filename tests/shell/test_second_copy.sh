#!/usr/bin/env bash
# A second copy started while the first runs says so and ends once its box is
# closed: its speech start, held for a first frame it never draws, must not
# keep it from ending.
set -euo pipefail
build=$2
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || exit 77
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$work/run"
unset QT_QPA_PLATFORM
cat > "$work/copies.sh" <<'INNER'
program=$1
"$program" >/dev/null 2>&1 &
first=$!
trap 'kill -9 "$first" 2>/dev/null || true' EXIT
timeout 30 xdotool search --sync --onlyvisible --pid "$first" >/dev/null
"$program" >/dev/null 2>&1 &
second=$!
box=$(timeout 30 xdotool search --sync --onlyvisible --pid "$second" | head -1)
[ "$(xdotool getwindowname "$box")" = Error ] || { echo "the second copy shows no box"; kill -9 "$second"; exit 1; }
xdotool windowclose "$box"
for _ in $(seq 100); do kill -0 "$second" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$second" 2>/dev/null; then
  echo "the second copy never ends"; kill -9 "$second"; exit 1
fi
wait "$second" || { echo "the second copy ended with an error"; exit 1; }
INNER
xvfb-run -a -s '-screen 0 1024x768x24' bash "$work/copies.sh" "$build/bin/quillet"
