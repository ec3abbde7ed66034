#!/usr/bin/env bash
# With a real sound server, the welcome is heard on its output: as long as the voice
# says it and as loud. The server is our own, with a null sink whose monitor we record.
# Then the server is killed in the middle of the welcome: the program lives on, its
# mouth still moving, and SIGTERM ends it at once without leaving its lock.
set -euo pipefail
src=$1 build=$2
# Where PipeWire serves sound there is no server of our own to start.
command -v pulseaudio >/dev/null || { echo "no pulseaudio: skipped"; exit 77; }
work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" HOME="$work"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# No session bus, and none to look for: without an address the bus library
# forks a helper to find one, and in a sanitized build that child can hang
# before it starts the helper, spinning for ever after the test.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
cleanup() {
  kill "${recorder:-}" "${program:-}" "${display:-}" 2>/dev/null || true
  pulseaudio --kill 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

start_server() {
  pulseaudio --daemonize=yes --exit-idle-time=-1 -n --log-target=stderr \
    --load="module-null-sink sink_name=speakers" --load="module-native-protocol-unix" 2>>"$work/server.log"
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl info >/dev/null || { cat "$work/server.log"; exit 1; }
}
start_server

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

# The server dies in the middle of the welcome.
Xvfb -displayfd 3 -screen 0 1366x768x24 3>"$work/display" 2>/dev/null &
display=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
parec -d speakers.monitor --rate=22050 --channels=1 "$work/live.raw" &
recorder=$!
"$build/bin/quillet" >"$work/program.log" 2>&1 &
program=$!
# The server's own buffer may hold the first second or two of the text: it dies
# once the welcome is really being heard.
loudest() { sox -t raw -r 22050 -e signed -b 16 -c 1 "$work/live.raw" -n stat 2>&1 | awk '/^Maximum amplitude/ {print $3}'; }
for _ in $(seq 100); do awk -v p="$(loudest)" 'BEGIN { exit !(p > 0.2) }' && break; sleep 0.1; done
sleep 0.3
kill -9 "$(cat "$XDG_RUNTIME_DIR/pulse/pid")"
# The recorder ends with its server.
kill "$recorder" 2>/dev/null || true; wait "$recorder" 2>/dev/null || true
# The rest of the welcome goes on against the clock: the mouth keeps moving.
shots=()
for i in $(seq 8); do
  shots+=("$(xwd -root -silent | md5sum)")
  sleep 0.05
done
kill -0 "$program" || { echo "the program died with the sound server"; cat "$work/program.log"; exit 1; }
moved=$(printf '%s\n' "${shots[@]}" | sort -u | wc -l)
echo "the mouth showed $moved different pictures after the server died"
[ "$moved" -ge 2 ] || { echo "the mouth stood still when the sound server died"; exit 1; }
sleep 2
kill -0 "$program" || { echo "the program died after the sound server"; cat "$work/program.log"; exit 1; }

# SIGTERM ends it at once and leaves no lock.
kill -TERM "$program"
for _ in $(seq 100); do kill -0 "$program" 2>/dev/null || break; sleep 0.01; done
! kill -0 "$program" 2>/dev/null || { echo "SIGTERM did not end the program within a second"; exit 1; }
wait "$program" && ended=0 || ended=$?
[ "$ended" -eq 0 ] || { echo "the program ended with $ended on SIGTERM"; cat "$work/program.log"; exit 1; }
flock -n "$XDG_RUNTIME_DIR/quillet.lock" true || { echo "the program left its lock held"; exit 1; }
