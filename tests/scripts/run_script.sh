#!/usr/bin/env bash
# Runs one automation script headless in a fresh working directory seeded from data/, then checks
# the expectations next to it (NAME.expect): lines "exists FILE", "absent FILE", "contains FILE
# TEXT" and "unchanged FILE" (the same bytes as before the run). Files in a folder NAME.d next to
# the script are seeded after data/ (e.g. the results of an earlier run); NAME.setup, when there,
# runs in the working directory before the program (files of an earlier run, permissions).
# "same FILE1 FILE2": the two files of the run hold the same bytes.
set -u
program=$1 script=$2 data=$3 rundir=$4
seeds="${script%.uxs}.d"
[ -d "$rundir" ] && chmod -R u+w "$rundir"
rm -rf "$rundir"
mkdir -p "$rundir"
cp -r "$data"/. "$rundir"/
[ -d "$seeds" ] && cp -r "$seeds"/. "$rundir"/
cd "$rundir" || exit 1
setup="${script%.uxs}.setup"
expect="${script%.uxs}.expect"
if [ -f "$setup" ]; then bash "$setup" || { echo "setup failed"; exit 1; }; fi
# The files an "unchanged" line names, as they were before the run (a file that was not there
# must still be missing).
before="$rundir.before"
rm -rf "$before"
mkdir -p "$before"
if [ -f "$expect" ]; then
  grep '^unchanged ' "$expect" | while IFS= read -r line; do
    file=${line#unchanged }
    [ -e "$file" ] && cp -p "$file" "$before/$(echo "$file" | tr / _)"
  done
fi
UX_PLATFORM=headless UX_SCRIPT="$script" timeout 280 "$program" >stdout.txt 2>stderr.txt
status=$?
if [ $status -ne 0 ]; then
  echo "program exited with $status"
  cat stderr.txt
  exit 1
fi
[ -f "$expect" ] || exit 0
failed=0
while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in
    ""|"#"*) ;;
    "exists "*)
      file=${line#exists }
      [ -e "$file" ] || { echo "missing file: $file"; failed=1; } ;;
    "absent "*)
      file=${line#absent }
      [ -e "$file" ] && { echo "file should not exist: $file"; failed=1; } ;;
    "unchanged "*)
      file=${line#unchanged }
      kept="$before/$(echo "$file" | tr / _)"
      if [ -e "$kept" ]; then cmp -s "$kept" "$file"; else [ ! -e "$file" ]; fi ||
        { echo "file changed: $file"; failed=1; } ;;
    "contains "*)
      rest=${line#contains }
      file=${rest%% *}
      text=${rest#* }
      grep -qF -- "$text" "$file" 2>/dev/null || { echo "$file does not contain: $text"; failed=1; } ;;
    "same "*)
      rest=${line#same }
      first=${rest%% *}
      second=${rest#* }
      cmp -s -- "$first" "$second" || { echo "$first and $second differ"; failed=1; } ;;
    *) echo "bad expectation: $line"; failed=1 ;;
  esac
done < "$expect"
[ $failed -eq 0 ] || { echo "--- stderr"; cat stderr.txt; }
exit $failed
