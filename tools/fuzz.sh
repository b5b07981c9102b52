#!/usr/bin/env bash
# The fuzz harnesses of tests/fuzz, built with clang and libFuzzer in build-fuzz/.
#
#   tools/fuzz.sh NAME [SECONDS]   fuzzes one harness (xbase picture cfgstr script modfiles
#                                  markup terminal csvtable) for SECONDS (default 300)
#   tools/fuzz.sh replay           runs every seed and crash reproducer once through each harness
#
# Fuzzing starts from tests/fuzz/corpus/NAME and tests/fuzz/crashes/NAME; inputs that reach new
# code are kept in build-fuzz/fuzz/corpus-NAME, a crash or hang is written to
# build-fuzz/fuzz/NAME-crash-* (or -timeout-*). Once fixed, copy it into tests/fuzz/crashes/NAME.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz harnesses skipped: clang++ is not installed (tools/install_packages.sh installs it)"
  exit 0
fi

# Builds the harnesses; the build's output is shown only when it fails.
build() {
  mkdir -p build-fuzz
  local log=build-fuzz/fuzz-build.log
  if [ ! -f build-fuzz/build.ninja ]; then
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DVERIVIRE_FUZZ=ON -DVERIVIRE_BENCH=OFF \
      $(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) >"$log" 2>&1 ||
      { cat "$log"; exit 1; }
  fi
  ninja -C build-fuzz fuzz_all >"$log" 2>&1 || { cat "$log"; exit 1; }
}

case "${1:-}" in
  replay)
    build
    (cd build-fuzz && ctest --output-on-failure -R '^fuzz\.' --timeout 600)
    ;;
  "" | -h | --help)
    sed -n '2,10p' "$0"
    ;;
  *)
    name=$1
    seconds=${2:-300}
    [ -f "tests/fuzz/fuzz_$name.cpp" ] || { echo "no harness tests/fuzz/fuzz_$name.cpp" >&2; exit 1; }
    build
    out=$PWD/build-fuzz/fuzz
    mkdir -p "$out/corpus-$name" "$PWD/tests/fuzz/crashes/$name"
    # Paths are absolute (some harnesses change the working directory); standard output is
    # closed (-close_fd_mask=1) because the readers print their diagnostics there.
    UX_PLATFORM=headless "$out/fuzz_$name" -max_total_time="$seconds" -timeout=25 \
      -rss_limit_mb=2048 -close_fd_mask=1 -print_final_stats=1 -artifact_prefix="$out/$name-" \
      "$out/corpus-$name" "$PWD/tests/fuzz/corpus/$name" "$PWD/tests/fuzz/crashes/$name"
    ;;
esac
