#!/usr/bin/env bash
# Runs the demo against a build: starts the printer simulator fpsim on a
# pseudo-terminal, runs OPEN, GETSTATUS, GETVATTABLE and CLOSE through the
# library with fpcli, shows the results, the printer's trace file and the paper,
# and stops fpsim.
#   bash scripts/demo-run.sh BUILD_FOLDER
set -euo pipefail

build=$(cd "${1:?usage: demo-run.sh BUILD_FOLDER}" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
for program in fpsim fpcli libQNRP_REZIDAZE_10.so; do
  [ -e "$build/$program" ] || { echo "demo: $build/$program is missing; build first" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/qnrp-demo.XXXXXX")
fpsim_pid=""
stop() {
  if [ -n "$fpsim_pid" ]; then
    kill "$fpsim_pid" 2>/dev/null || true
    wait "$fpsim_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap stop EXIT

# The simulated printer, reachable through a fixed link to its pseudo-terminal.
"$build/fpsim" --pty "$work/printer" >"$work/paper.txt" 2>"$work/fpsim.log" &
fpsim_pid=$!
for _ in $(seq 100); do
  grep -q '^fpsim: ready' "$work/fpsim.log" 2>/dev/null && break
  kill -0 "$fpsim_pid" 2>/dev/null || break
  sleep 0.1
done
if ! grep -q '^fpsim: ready' "$work/fpsim.log"; then
  echo "demo: fpsim did not start:" >&2
  cat "$work/fpsim.log" >&2
  exit 1
fi
echo "== fpsim"
cat "$work/fpsim.log"

# The requests, with the printer's pseudo-terminal filled in.
mkdir "$work/requests"
for file in "$top"/tools/demo/*; do
  sed "s|{PRINTER}|$work/printer|g" "$file" >"$work/requests/$(basename "$file")"
done

# Trace files go to LogFiles/FiscalPrinter next to the host (fpcli), unless
# QNRP_LOG_ROOT names another folder.
log_root=${QNRP_LOG_ROOT:-$build}
trace_dir="$log_root/LogFiles/FiscalPrinter"
trace="$trace_dir/QNRP_REZIDAZE_10_demo_$(date +%Y%m%d).log"
rm -f "$trace"

echo
echo "== fpcli --script demo.script"
status=0
"$build/fpcli" --library "$build/libQNRP_REZIDAZE_10.so" --script "$work/requests/demo.script" || status=$?

echo
echo "== trace file $trace"
if [ -f "$trace" ]; then cat "$trace"; else echo "(none)"; fi
echo
echo "== paper"
if [ -s "$work/paper.txt" ]; then cat "$work/paper.txt"; else echo "(nothing printed)"; fi
exit "$status"
