#!/usr/bin/env bash
# Installs (as root, with apt-get) the Debian packages the build and the tests need, when missing.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config   # the build
  libsdl2-dev                        # windows, input, sound of the desktop back end
  libpng-dev                         # saving pages as PNG
  libgtest-dev                       # unit tests
  libbenchmark-dev                   # the hot-path benchmarks
  libcctz-dev                        # historical zones and summer times (CCTZ)
  tzdata                             # the tz database CCTZ reads (/usr/share/zoneinfo)
  libssl-dev                         # SHA-256 of the tables a run read (libcrypto)
  nlohmann-json3-dev                 # JSON run records
  libcsv-dev                         # person and event tables in CSV
  xvfb xauth                         # screenshots of the real window in a virtual display
  python3-pil                        # peer checks of the picture files
  python3-dbfread python3-pyshp      # peer checks of the .dbf tables
  liberfa-dev                        # the IAU routines the accuracy test measures against
  clang libclang-rt-14-dev           # the fuzz harnesses (libFuzzer and sanitizer runtimes)
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
