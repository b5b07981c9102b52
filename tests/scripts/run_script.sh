#!/usr/bin/env bash
# Runs one automation script headless in a fresh working directory seeded from data/, then checks
# the expectations next to it (NAME.expect): lines "exists FILE" and "contains FILE TEXT".
# Files in a directory NAME.files next to the script are copied in after data/ (hand-made
# results of modules a script does not run itself).
set -u
program=$1 script=$2 data=$3 rundir=$4
rm -rf "$rundir"
mkdir -p "$rundir"
cp -r "$data"/. "$rundir"/
fixtures="${script%.uxs}.files"
if [ -d "$fixtures" ]; then cp -r "$fixtures"/. "$rundir"/; fi
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
