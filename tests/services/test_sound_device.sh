#!/usr/bin/env bash
# With a real sound server, the welcome is heard on its output: as long as the voice
# says it and as loud. The server is our own, with a null sink whose monitor we record.
set -euo pipefail
src=$1 build=$2
# Where PipeWire serves sound there is no server of our own to start.
command -v pulseaudio >/dev/null || { echo "no pulseaudio: skipped"; exit 77; }
work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" HOME="$work"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cleanup() {
  kill "${recorder:-}" 2>/dev/null || true
  pulseaudio --kill 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

pulseaudio --daemonize=yes --exit-idle-time=-1 -n --log-target=stderr \
  --load="module-null-sink sink_name=speakers" --load="module-native-protocol-unix" 2>"$work/server.log"
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null || { cat "$work/server.log"; exit 1; }

parec -d speakers.monitor --file-format=wav --rate=22050 --channels=1 "$work/heard.wav" &
recorder=$!
# The monitor sends silence all the time: recording has begun once the file grows.
for _ in $(seq 50); do [ "$(stat -c %s "$work/heard.wav" 2>/dev/null || echo 0)" -gt 8192 ] && break; sleep 0.1; done
unset QT_QPA_PLATFORM
# The welcome speaks as it opens; eight seconds hold it whole.
timeout 8 xvfb-run -a -s "-screen 0 1366x768x24" "$build/bin/quillet" >"$work/program.log" 2>&1 || true
kill "$recorder"; wait "$recorder" 2>/dev/null || true

# The sound between the silences before and after it.
stats=$(sox "$work/heard.wav" -n silence 1 0.05 1% reverse silence 1 0.05 1% reverse stat 2>&1)
length=$(awk '/^Length/ {print $3}' <<<"$stats")
peak=$(awk '/^Maximum amplitude/ {print $3}' <<<"$stats")
echo "heard ${length:-0} s, peak ${peak:-0}"
# The voice says "welcome. unit 8. Quillet" in about a second and a half.
awk -v l="${length:-0}" -v p="${peak:-0}" 'BEGIN { exit !(l > 1.2 && l < 3 && p > 0.2) }' \
  || { echo "the welcome was not heard"; cat "$work/program.log"; exit 1; }
