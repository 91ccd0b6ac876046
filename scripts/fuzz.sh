#!/usr/bin/env bash
# Builds the libFuzzer targets of the picture decoders with clang in a build directory of their
# own and runs each for about a minute. Exits non-zero when a fuzzer finds a crash, a sanitizer
# report, a leak, a timeout or an input that exhausts memory; the input lies in
# <build>/fuzz-<decoder>/artifacts.
#   VELMOOR_FUZZ_BUILD    build directory (default: build-fuzz in the repository)
#   VELMOOR_FUZZ_SECONDS  seconds per fuzzer (default: 60)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VELMOOR_FUZZ_BUILD:-$root/build-fuzz}
seconds=${VELMOOR_FUZZ_SECONDS:-60}
generator=()
command -v ninja >/dev/null && [ ! -f "$build/CMakeCache.txt" ] && generator=(-G Ninja)

cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DVELMOOR_FUZZERS=ON -DVELMOOR_SANITIZE=ON -DVELMOOR_BENCHMARKS=OFF -DBUILD_TESTING=OFF
cmake --build "$build" --target fuzz_jpeg fuzz_gif

status=0
for decoder in jpeg gif; do
  work=$build/fuzz-$decoder
  mkdir -p "$work/corpus" "$work/artifacts"
  fuzzer=$(find "$build" -type f -name "fuzz_$decoder" -perm -u+x | head -n 1)
  echo "== fuzz_$decoder for ${seconds}s"
  # New inputs go to the build's corpus; the committed seeds are only read.
  if ! ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$fuzzer" "$work/corpus" "$root/fuzz/corpus/$decoder" \
      -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 \
      -artifact_prefix="$work/artifacts/" -print_final_stats=1; then
    echo "fuzz_$decoder failed; the input is in $work/artifacts" >&2
    status=1
  fi
done
exit $status
