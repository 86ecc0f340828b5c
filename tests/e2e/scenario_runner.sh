#!/usr/bin/env bash
# Runs one end-to-end scenario: a fresh Xvfb screen of 1024 × 768 at 24 bits, a copy of the
# binary in a folder of its own (the program starts in its own folder and writes there), then
# the scenario's steps. Usage: scenario_runner.sh BINARY SCENARIO WORKDIR
set -euo pipefail
binary=$1
scenario=$2
work=$3

rm -rf "$work"
mkdir -p "$work/program" "$work/pictures" "$work/shots"
cp "$binary" "$work/program/tessvane"

exec 3>"$work/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; [ -n "${program_pid:-}" ] && kill "$program_pid" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  [ -s "$work/displayfd" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$work/displayfd")"
unset QT_QPA_PLATFORM

export E2E_WORK=$work
export E2E_PROGRAM="$work/program/tessvane"
export E2E_FIXTURES="$(cd "$(dirname "$0")/../fixtures" && pwd)"
source "$(dirname "$0")/e2e_lib.sh"
source "$scenario"
