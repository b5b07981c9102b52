#!/usr/bin/env bash
# One program per folder: a second program started in a folder where one runs says so in one
# line naming the first one's process id and exits non-zero without touching a file; once the
# first is killed, the folder is free again, and a normal exit leaves no lock file.
#   second_program.sh PROGRAM DATA_DIR RUN_DIR
set -u
program=$1 data=$2 work=$3
rm -rf "$work" && mkdir -p "$work/folder" && cp -r "$data"/. "$work/folder"/ || exit 1
cd "$work/folder" || exit 1
echo "sleep 30" >"$work/wait.uxs"
: >"$work/quit.uxs"
export UX_PLATFORM=headless

UX_CLOCK=real UX_SCRIPT="$work/wait.uxs" "$program" >/dev/null 2>&1 &
first=$!
for _ in $(seq 100); do grep -qx "$first" .uxlock 2>/dev/null && break; sleep 0.1; done
failed=0
before=$(stat -c %y . && ls -lA --full-time)
UX_SCRIPT="$work/quit.uxs" "$program" >"$work/second.out" 2>"$work/second.err"
status=$?
[ $status -ne 0 ] || { echo "the second program exited with 0"; failed=1; }
[ "$(wc -l <"$work/second.err")" -eq 1 ] && grep -q "process $first" "$work/second.err" ||
  { echo "the second program did not name process $first in one line:"; cat "$work/second.err"; failed=1; }
after=$(stat -c %y . && ls -lA --full-time)
[ "$before" = "$after" ] || { echo "the second program changed the folder:"; diff <(echo "$before") <(echo "$after"); failed=1; }

kill -KILL "$first"
wait "$first" 2>/dev/null
UX_SCRIPT="$work/quit.uxs" "$program" >/dev/null 2>"$work/third.err" ||
  { echo "the folder stayed locked after a kill:"; cat "$work/third.err"; failed=1; }
[ ! -e .uxlock ] || { echo "a normal exit left the lock file"; failed=1; }
exit $failed
