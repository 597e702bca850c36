#!/bin/sh
# Runs the heaviest setting for many ticks in the batch runner and samples the program's
# resident memory as it goes: a flat column means nothing accumulates tick by tick.
#   tools/soak/soak.sh PROGRAM [TICKS] [CHUNK]
set -e
program=$1
ticks=${2:-40000}
chunk=${3:-1000}
work=$(mktemp -d)
script=$work/soak.txt
{
  echo "set cmbScene Full"
  echo "set cmbMod(0) 16-QAM"
  echo "set cmbFilter(0) Gaussian"
  echo "set cmbNoise 1.0"
  echo "set cmbNonlinear Non-Linear"
  i=0
  while [ $i -lt "$ticks" ]; do
    echo "tick $chunk"
    echo "print lTick"
    i=$((i + chunk))
  done
} > "$script"
XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=offscreen "$program" --batch "$script" > "$work/out" 2> "$work/err" &
pid=$!
echo "seconds  ticks  VmRSS(kB)"
start=$(date +%s)
while kill -0 $pid 2>/dev/null; do
  rss=$(awk '/VmRSS/ {print $2}' /proc/$pid/status 2>/dev/null || true)
  done_ticks=$(tail -n 1 "$work/out" 2>/dev/null | awk '{print $3}')
  [ -n "$rss" ] && echo "$(( $(date +%s) - start ))  ${done_ticks:-0}  $rss"
  sleep 10
done
status=0
wait $pid || status=$?
echo "exit $status; last: $(tail -n 1 "$work/out")"
cat "$work/err"
rm -rf "$work"
exit $status
