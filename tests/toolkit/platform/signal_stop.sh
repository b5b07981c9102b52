#!/usr/bin/env bash
# SIGTERM ends the program within a second wherever it is: while idle (exit code 0, nothing
# said), in a dialog of a module and in a long computation (one line on standard error, exit
# code 128 + 15); the files of the last good run stay whole and no temporary file is left.
#   signal_stop.sh PROGRAM SOURCE_DIR RUN_DIR
set -u
program=$1 source=$2 rundir=$3
seeds=$source/tests/scripts/escape_dialogs.d
failed=0

# case NAME SCRIPT EXPECTED_STATUS: runs SCRIPT until it logs "ready", then sends SIGTERM.
case_run() {
  local name=$1 script=$2 want=$3 dir=$rundir/$1
  rm -rf "$dir"; mkdir -p "$dir"
  cp -r "$source/data/." "$seeds/." "$dir/"
  printf '%s\n' "$script" >"$dir/run.uxs"
  (cd "$dir" && exec env UX_PLATFORM=headless UX_CLOCK=real UX_SCRIPT=run.uxs "$program" \
     >stdout.txt 2>stderr.txt) &
  local pid=$!
  for _ in $(seq 300); do grep -q '^ready$' "$dir/stderr.txt" 2>/dev/null && break; sleep 0.1; done
  sleep 0.5  # into the dialog's wait or the computation
  local start; start=$(date +%s%N)
  kill -TERM $pid
  wait $pid; local status=$?
  local ms=$(( ($(date +%s%N) - start) / 1000000 ))
  echo "$name: exit $status after $ms ms"
  [ "$status" = "$want" ] || { echo "$name: exit status $status, $want expected"; failed=1; }
  [ $ms -le 1000 ] || { echo "$name: took $ms ms"; failed=1; }
  for f in "$seeds"/*; do
    cmp -s "$f" "$dir/$(basename "$f")" || { echo "$name: $(basename "$f") changed"; failed=1; }
  done
  local left; left=$(cd "$dir" && ls -a | grep -E '\.tmp|~$|^\.[^.]' || true)
  [ -z "$left" ] || { echo "$name: left behind: $left"; failed=1; }
  local lines; lines=$(grep -vc '^ready$' "$dir/stderr.txt")
  if [ "$want" = 0 ]; then
    [ "$lines" = 0 ] || { echo "$name: said something"; cat "$dir/stderr.txt"; failed=1; }
  else
    [ "$lines" = 1 ] || { echo "$name: $lines lines on stderr, 1 expected"; failed=1; }
    grep -q "Stopped: Statistics 1 - Continuum was ended by signal 15" "$dir/stderr.txt" ||
      { echo "$name: no stop line"; cat "$dir/stderr.txt"; failed=1; }
  fi
}

case_run idle $'tab Menu\nlog ready\nsleep 60' 0

case_run dialog $'tab Menu\nclick "Statistics 1 - Continuum"\nexpect InputInt\nlog ready\nsleep 60' 143

# A Continuum of ten million moments: far longer than the test waits.
case_run computation "$(cat <<'UXS'
tab Menu
click "Statistics 1 - Continuum"
fill 3
click OK
click No
fill 5
click OK
click No
click No
click No
input 3 1900
click OK
input 3 2000
click OK
fill 10000000
click OK
log ready
click No
UXS
)" 143

exit $failed
