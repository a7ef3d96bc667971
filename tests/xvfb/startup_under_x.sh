#!/usr/bin/env bash
# Starts the real program on a bare X server (no window manager) without a
# HID library: it must reach its first screen in demo mode and stay up.
# Exit 77 (skipped) when Xvfb or xwininfo are not installed.
set -u
program=$1
command -v Xvfb > /dev/null && command -v xwininfo > /dev/null || exit 77

# The server picks a free display and writes its number once it accepts clients.
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3> "$dir/display" > /dev/null 2>&1 &
xvfb=$! app=
cleanup() { kill "$app" "$xvfb" 2> /dev/null; wait 2> /dev/null; rm -rf "$dir"; }
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
[ -s "$dir/display" ] || { echo "Xvfb did not start"; exit 1; }
display=":$(head -n 1 "$dir/display")"

# An empty library path: the program finds no HID library and runs in demo mode.
env -u QT_QPA_PLATFORM DISPLAY="$display" LD_LIBRARY_PATH=/nonexistent "$program" > /dev/null 2>&1 &
app=$!

for i in $(seq 100); do
    xwininfo -display "$display" -root -tree 2> /dev/null | grep -q '"Demo Mode"' && break
    kill -0 "$app" 2> /dev/null || { echo "the program ended during start-up"; exit 1; }
    [ "$i" -lt 100 ] || { echo "no window titled Demo Mode appeared"; exit 1; }
    sleep 0.1
done
sleep 3 # past the two-second logo pause: the first screen is up
kill -0 "$app" 2> /dev/null || { echo "the program ended after start-up"; exit 1; }
echo "first screen reached on a bare X server"
