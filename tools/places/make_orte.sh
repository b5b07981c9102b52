#!/bin/sh
# Rebuilds data/orte_ori.dbf. Needs node/npm (npm registry reachable), python3 with zoneinfo and
# Debian's iso-codes, tzdata and libgeonames-common. The npm packages are installed into a
# temporary directory.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/package.json" "$here/package-lock.json" "$here/extract_places.js" "$work/"
(cd "$work" && npm ci --no-audit --no-fund --silent && node extract_places.js places.json)
/usr/bin/python3 "$here/build_orte.py" "$work/places.json" "$root/data/orte_ori.dbf"
