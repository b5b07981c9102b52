#!/usr/bin/env bash
# The repeat script a shuffle test writes repeats that run exactly: shuffle_design3.uxs runs in
# one folder; its shuffletest-repeat.uxs runs in a fresh folder with the same table, after a
# different "seed" (as if other modules had drawn random numbers before), and every number of the
# second run must be the first run's: the table of quantities, the record (but for the times of
# the run), the text page (but for its time line) and the repeat script itself.
set -u
program=$1 source=$2 rundir=$3
first=$rundir/first second=$rundir/second
bash "$source/tests/scripts/run_script.sh" "$program" "$source/tests/scripts/shuffle_design3.uxs" \
  "$source/data" "$first" || { echo "the first run failed"; exit 1; }
rm -rf "$second"
mkdir -p "$second"
cp -r "$source/data"/. "$second"/
{ echo "seed 999"; cat "$first/shuffletest-repeat.uxs"; echo "savetext 4 report.txt"; } \
  > "$second/repeat.uxs"
cd "$second" || exit 1
UX_PLATFORM=headless UX_SCRIPT=repeat.uxs timeout 280 "$program" >stdout.txt 2>stderr.txt ||
  { echo "the repeat failed"; cat stderr.txt; exit 1; }
failed=0
cmp "$first/shuffletest.csv" shuffletest.csv || failed=1
cmp "$first/shuffletest-repeat.uxs" shuffletest-repeat.uxs || failed=1
diff <(grep -v '"started"\|"ended"' "$first/shuffletest-record.json") \
     <(grep -v '"started"\|"ended"' shuffletest-record.json) || failed=1
diff <(grep -v '^ Run: ' "$first/report.txt") <(grep -v '^ Run: ' report.txt) || failed=1
grep -q '^ Seed: ' report.txt || { echo "no seed on the page"; failed=1; }
exit $failed
