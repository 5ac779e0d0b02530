#!/usr/bin/env bash
# The run command: installs what is missing, builds the editor and the
# plug-in host simulator, starts morvane-host with two instances online in
# the background, and runs the editor, which opens "Factory Presets.glo"
# from its program folder. The host is stopped when the editor quits.
#
# Without a display the same session runs on a virtual X display (Xvfb):
# the editor saves a screenshot of itself to build/morvane-screenshot.png,
# then the host takes its instances offline and the editor, left without
# plug-ins, quits by itself.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
BUILD="$ROOT/build"
BIN="$BUILD/bin"
SHOT="$BUILD/morvane-screenshot.png"
SHOT_AFTER_MS=4000

./scripts/install-deps.sh
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j2 --target MorvaneEngine morvane-host

HOST_PID=""
EDITOR_PID=""
stop_host() {
  if [ -n "$HOST_PID" ] && kill -0 "$HOST_PID" 2>/dev/null; then
    kill -TERM "$HOST_PID" 2>/dev/null || true
    wait "$HOST_PID" 2>/dev/null || true
  fi
  HOST_PID=""
}
cleanup() {
  stop_host
  if [ -n "$EDITOR_PID" ] && kill -0 "$EDITOR_PID" 2>/dev/null; then
    kill -TERM "$EDITOR_PID" 2>/dev/null || true
  fi
}
trap cleanup EXIT INT TERM

# The plug-in side: two instances online, its report in build/morvane-host.log,
# its commands through a pipe (the host's own program changes).
HOST_IN="$BUILD/morvane-host.in"
rm -f "$HOST_IN"
mkfifo "$HOST_IN"
"$BIN/morvane-host" --instances 2 <"$HOST_IN" >"$BUILD/morvane-host.log" 2>&1 &
HOST_PID=$!
exec 3>"$HOST_IN"
rm -f "$HOST_IN"
for _ in $(seq 1 100); do
  grep -q "instance 1: online" "$BUILD/morvane-host.log" 2>/dev/null && break
  kill -0 "$HOST_PID" 2>/dev/null || break
  sleep 0.05
done
if grep -q "cannot sign in" "$BUILD/morvane-host.log" 2>/dev/null; then
  # Another host already plays instances 0 and 1 on this link: the editor
  # takes them in as they are, and they are not ours to stop.
  wait "$HOST_PID" 2>/dev/null || true
  HOST_PID=""
  echo "run: instances 0 and 1 are already online in another host; the editor uses them"
else
  echo "run: morvane-host (pid $HOST_PID) has two instances online"
  # Once the editor has opened its bank, the host plays its first two programs.
  ( sleep 3; echo "program 0 0" >&3; echo "program 1 1" >&3 ) 2>/dev/null &
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  # A desktop: the editor in its own window until the user quits it.
  status=0
  "$BIN/MorvaneEngine" || status=$?
  echo "run: the editor quit ($status); stopping morvane-host"
  stop_host
  exit "$status"
fi

# No display: the same session on a virtual X display.
rm -f "$SHOT"
echo "run: no display, running the editor under Xvfb"
if command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1024x768x24" "$BIN/MorvaneEngine" --screenshot-after "$SHOT_AFTER_MS" "$SHOT" &
else
  Xvfb :99 -screen 0 1024x768x24 >/dev/null 2>&1 &
  XVFB_PID=$!
  trap 'cleanup; kill $XVFB_PID 2>/dev/null || true' EXIT INT TERM
  sleep 1
  DISPLAY=:99 "$BIN/MorvaneEngine" --screenshot-after "$SHOT_AFTER_MS" "$SHOT" &
fi
EDITOR_PID=$!
for _ in $(seq 1 600); do
  [ -s "$SHOT" ] && break
  kill -0 "$EDITOR_PID" 2>/dev/null || break
  sleep 0.1
done
if [ -s "$SHOT" ]; then
  echo "run: screenshot of the editor saved to $SHOT"
else
  echo "run: the editor saved no screenshot" >&2
fi
status=0
if [ -z "$HOST_PID" ]; then
  # The plug-ins belong to another host and play on: the editor is stopped.
  kill -TERM "$EDITOR_PID" 2>/dev/null || true
  wait "$EDITOR_PID" 2>/dev/null || true
  echo "run: the editor stopped; the other host plays on"
  [ -s "$SHOT" ] || status=1
  exit "$status"
fi
# The plug-ins go away; the editor follows them out by itself.
stop_host
for _ in $(seq 1 150); do
  kill -0 "$EDITOR_PID" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$EDITOR_PID" 2>/dev/null; then
  echo "run: the editor did not quit by itself; stopping it" >&2
  kill -TERM "$EDITOR_PID" 2>/dev/null || true
  status=1
fi
wait "$EDITOR_PID" 2>/dev/null || true
EDITOR_PID=""
echo "run: the editor quit; morvane-host stopped"
[ -s "$SHOT" ] || status=1
exit "$status"
