#!/usr/bin/env bash
# Runs the demo's program under a virtual X server, saves a screenshot of the
# screen a few seconds after the start and keeps running until Ctrl+C or
# SIGTERM. The server runs in a session of its own, so that Ctrl+C reaches
# only this script: it ends the demo's programs in order (each Brivanel
# writes its store on SIGTERM) before the server goes.
# Usage: demo-headless.sh SCREENSHOT-PROGRAM BRIVANEL SCREENSHOT.png
set -euo pipefail
screenshot_program="$1"
program="$(readlink -f "$2")"
shot="$3"
folder="$(dirname "$program")"

# The demo's Brivanel, its script interpreter and what the script started.
demo_processes() {
  local pid exe
  for pid in /proc/[0-9]*; do
    exe="$(readlink "$pid/exe" 2>/dev/null)" || continue
    case "$exe" in
      "$program" | "$folder/brivanel-batch" | "$(dirname "$folder")/EMU/standin")
        echo "${pid#/proc/}" ;;
    esac
  done
}

setsid xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$1" &
  sleep 8
  if "$2" "$3"; then echo "Screenshot of the demo: $3"; else echo "No screenshot could be taken." >&2; fi
  echo "Brivanel runs under a virtual X server. Press Ctrl+C to end it."
  while true; do sleep 3600; done' demo "$program" "$screenshot_program" "$shot" &
session=$!

stop() {
  trap - INT TERM
  local pids waited=0
  pids="$(demo_processes)"
  if [ -n "$pids" ]; then
    # shellcheck disable=SC2086
    kill -TERM $pids 2>/dev/null || true
  fi
  while [ -n "$(demo_processes)" ] && [ "$waited" -lt 20 ]; do
    sleep 0.5
    waited=$((waited + 1))
  done
  kill -TERM -- "-$session" 2>/dev/null || true
  wait "$session" 2>/dev/null || true
  echo "The demo has ended."
  exit 0
}
trap stop INT TERM
while kill -0 "$session" 2>/dev/null; do
  sleep 1 &
  wait $! || true
done
echo "The virtual X server ended." >&2
exit 1
