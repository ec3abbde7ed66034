#!/usr/bin/env bash
# A window destroyed by the window system (xdotool windowclose) ends the
# program as closing its last screen does, and frees the lock for the next start,
# even while its speech data is still being tried; a second copy's box closed
# ends that copy; the display lost ends the program without a crash.
set -euo pipefail
build=$2
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || exit 77
work=$(mktemp -d)
# A copy of the program beside speech data whose first file is a pipe nobody
# writes: trying the data hangs in a child process until its parent ends it.
app="$work/app"
mkdir -p "$app/espeak-ng-data"
cp "$build/bin/quillet" "$app/"
ln -s "$(realpath "$build/bin/jpg")" "$app/jpg"
for file in /usr/lib/x86_64-linux-gnu/espeak-ng-data/*; do ln -s "$file" "$app/espeak-ng-data/"; done
rm "$app/espeak-ng-data/phontab"
mkfifo "$app/espeak-ng-data/phontab"
# Processes of this copy still running: the program or a child it forked.
copies_left() {
  for proc in /proc/[0-9]*; do
    [ "$(readlink "$proc/exe" 2>/dev/null)" = "$app/quillet" ] && echo "${proc#/proc/}"
  done
  return 0
}
trap 'kill -9 $(copies_left) 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
# No session bus to look for: the bus library's helper is a fork that, in a
# sanitized build, can hang holding the program's descriptors.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
mkdir -m 700 "$work/run"
unset QT_QPA_PLATFORM
cat > "$work/rounds.sh" <<'INNER'
program=$1
window_of() { timeout 30 xdotool search --sync --onlyvisible --pid "$1" | head -1; }
# Closes a window, after which its process must end, and end well.
close_and_end() {
  xdotool windowclose "$1"
  for _ in $(seq 100); do kill -0 "$2" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$2" 2>/dev/null; then echo "$3: still running with no window"; kill -9 "$2"; exit 1; fi
  wait "$2" || { echo "$3: ended with an error"; exit 1; }
}
for round in 1 2; do
  "$program" >/dev/null 2>&1 &
  pid=$!
  window=$(window_of "$pid")
  if [ -z "$window" ] || [ "$(xdotool getwindowname "$window")" = Error ]; then
    echo "start $round: no welcome window"; kill -9 "$pid"; exit 1
  fi
  # Closed while its speech data is being tried.
  for _ in $(seq 100); do pgrep -P "$pid" >/dev/null && break; sleep 0.1; done
  close_and_end "$window" "$pid" "start $round"
done
# A second copy says so in a box and ends once the box is closed: its speech
# start, held for a first frame it never draws, must not keep it alive.
"$program" >/dev/null 2>&1 &
first=$!
trap 'kill -9 "$first" 2>/dev/null || true' EXIT
window_of "$first" >/dev/null
"$program" >/dev/null 2>&1 &
second=$!
box=$(window_of "$second")
if [ -z "$box" ] || [ "$(xdotool getwindowname "$box")" != Error ]; then
  echo "the second copy shows no box"; kill -9 "$second"; exit 1
fi
close_and_end "$box" "$second" "the second copy"
INNER
xvfb-run -a -s '-screen 0 1024x768x24' bash "$work/rounds.sh" "$app/quillet"
# A killed program's children are told so as it ends, but may take a moment to go.
for _ in $(seq 30); do [ -z "$(copies_left)" ] && break; sleep 0.1; done
if [ -n "$(copies_left)" ]; then echo "a child trying the speech data outlived the program"; exit 1; fi

# The display itself dies under the program: it ends without a crash, then or
# in the clean-up after it.
Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$work/display" 2>/dev/null &
display=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=":$(cat "$work/display")" "$build/bin/quillet" >/dev/null 2>&1 &
pid=$!
DISPLAY=":$(cat "$work/display")" timeout 30 xdotool search --sync --onlyvisible --pid "$pid" >/dev/null || true
kill "$display"; wait "$display" 2>/dev/null || true
status=0
wait "$pid" || status=$?
[ "$status" -lt 128 ] || { echo "the display gone: ended by signal $((status - 128))"; exit 1; }
