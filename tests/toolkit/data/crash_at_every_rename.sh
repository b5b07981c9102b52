#!/usr/bin/env bash
# A module run's files replace the last run's together, whatever moment the program dies: a
# Continuum run over the files of an earlier one is killed (SIGKILL, through the test hook
# UX_TEST_KILL_AFTER_RENAME) just before its journal is written, after it, and after every
# rename; the next start must leave the whole earlier set or the whole new one, say in one line
# what it did, and leave no hidden file.
#   crash_at_every_rename.sh PROGRAM DATA_DIR RUN_DIR
set -u
program=$1 data=$2 work=$3
rm -rf "$work" && mkdir -p "$work" || exit 1
here=$(cd "$(dirname "$0")" && pwd)

# Two Continuum runs that differ in every file: order 3, N=100 and order 5, N=200.
continuum() {  # ORDER N
  cat <<SCRIPT
seed 1
click "Statistics 1 - Continuum"
fill $1
click OK
click No
fill 1
click OK
click No
click No
click No
input 3 1950
click OK
input 3 2000
click OK
fill $2
click OK
click No
SCRIPT
}
continuum 3 100 >"$work/old.uxs"
continuum 5 200 >"$work/new.uxs"
: >"$work/quit.uxs"

run() {  # FOLDER SCRIPT [KILL_AT]
  (cd "$1" && UX_PLATFORM=headless UX_SCRIPT="$2" UX_TEST_KILL_AFTER_RENAME="${3:-}" \
    "$program" >>stdout.log 2>>stderr.log)
}
fresh() { rm -rf "$1" && mkdir -p "$1" && cp -r "$data"/. "$1"/; }
# The result files of a folder, one checksum line each (the logs left out).
files() { (cd "$1" && find . -maxdepth 1 -type f -name '*.txt' ! -name 'std*.log' | sort | xargs md5sum); }

fresh "$work/old" && run "$work/old" "$work/old.uxs" || { echo "old run failed"; exit 1; }
cp -r "$work/old" "$work/new" && run "$work/new" "$work/new.uxs" || { echo "new run failed"; exit 1; }
files "$work/old" >"$work/old.sums"
files "$work/new" >"$work/new.sums"
cmp -s "$work/old.sums" "$work/new.sums" && { echo "the two runs wrote the same files"; exit 1; }
changed=$(diff "$work/old.sums" "$work/new.sums" | grep -c '^>')

# Killed at -1, 0, 1, ... until a run gets through all its renames.
failed=0 at=-1
while :; do
  folder="$work/kill$at"
  rm -rf "$folder" && cp -r "$work/old" "$folder"
  run "$folder" "$work/new.uxs" "$at" 2>/dev/null
  status=$?
  if [ $status -eq 0 ]; then
    [ "$at" -gt "$changed" ] || { echo "only $((at - 1)) renames for $changed changed files"; failed=1; }
    break
  fi
  [ $status -eq 137 ] || { echo "kill at $at: exit status $status, not killed"; failed=1; break; }
  : >"$folder/stderr.log"
  run "$folder" "$work/quit.uxs" || { echo "kill at $at: the next start failed"; failed=1; }
  files "$folder" >"$folder.sums"
  if cmp -s "$folder.sums" "$work/old.sums"; then
    [ "$at" -le 0 ] || { echo "kill after rename $at: the old set came back"; failed=1; }
  elif ! cmp -s "$folder.sums" "$work/new.sums"; then
    echo "kill at $at: the folder mixes two runs:"
    diff "$work/old.sums" "$folder.sums"
    failed=1
  fi
  hidden=$(cd "$folder" && ls -A | grep '^\.')
  [ -z "$hidden" ] || { echo "kill at $at: hidden files left: $hidden"; failed=1; }
  lines=$(wc -l <"$folder/stderr.log")
  grep -q "interrupted run" "$folder/stderr.log" && [ "$lines" -eq 1 ] ||
    { echo "kill at $at: the next start did not say it in one line:"; cat "$folder/stderr.log"; failed=1; }
  at=$((at + 1))
done
[ $failed -eq 0 ] && echo "killed at each of $((at + 1)) steps: every folder holds one run"
exit $failed
