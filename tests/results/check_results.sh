#!/usr/bin/env bash
# The labelled results read back by Python's csv module: runs results_csv.uxs, checks every CSV
# against the plain result files of the same run and the run records against the run, then
# replays the run from runs.jsonl alone and checks that it wrote the same files.
#   check_results.sh PROGRAM SOURCE RUNDIR
set -u
program=$1 source=$2 rundir=$3
here="$source/tests/results"
rm -rf "$rundir"
mkdir -p "$rundir"
run() {
  bash "$source/tests/scripts/run_script.sh" "$program" "$1" "$source/data" "$rundir/$2" ||
    { echo "the run $2 failed"; exit 1; }
}
run "$here/results_csv.uxs" first
/usr/bin/python3 "$here/check_results.py" check "$rundir/first" || exit 1
run "$rundir/first/replay.uxs" replay
/usr/bin/python3 "$here/check_results.py" same "$rundir/first" "$rundir/replay"
