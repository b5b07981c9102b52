#!/usr/bin/env bash
# Runs one automation script headless in a fresh working directory seeded from data/, then checks
# the expectations next to it (NAME.expect): lines "exists FILE", "absent FILE",
# "contains FILE TEXT" and "unchanged FILE" (byte for byte as seeded). Files in a folder NAME.d
# next to the script are seeded after data/, e.g. the results of an earlier run.
set -u
program=$1 script=$2 data=$3 rundir=$4
seeds="${script%.uxs}.d"
rm -rf "$rundir"
mkdir -p "$rundir"
cp -r "$data"/. "$rundir"/
[ -d "$seeds" ] && cp -r "$seeds"/. "$rundir"/
cd "$rundir" || exit 1
UX_PLATFORM=headless UX_SCRIPT="$script" timeout 280 "$program" >stdout.txt 2>stderr.txt
status=$?
if [ $status -ne 0 ]; then
  echo "program exited with $status"
  cat stderr.txt
  exit 1
fi
expect="${script%.uxs}.expect"
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
      [ ! -e "$file" ] || { echo "file should be absent: $file"; failed=1; } ;;
    "unchanged "*)
      file=${line#unchanged }
      seeded="$seeds/$file"
      [ -e "$seeded" ] || seeded="$data/$file"
      cmp -s -- "$seeded" "$file" || { echo "file changed: $file"; failed=1; } ;;
    "contains "*)
      rest=${line#contains }
      file=${rest%% *}
      text=${rest#* }
      grep -qF -- "$text" "$file" 2>/dev/null || { echo "$file does not contain: $text"; failed=1; } ;;
    *) echo "bad expectation: $line"; failed=1 ;;
  esac
done < "$expect"
[ $failed -eq 0 ] || { echo "--- stderr"; cat stderr.txt; }
exit $failed
