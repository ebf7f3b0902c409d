#!/usr/bin/env bash
# Builds the libFuzzer programs with clang and runs each for FUZZ_SECONDS
# (default 60). New inputs land in build/fuzz/corpus-<target>; copy the ones
# worth keeping into fuzz/corpus/<target> so `make test` replays them.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"

need=()
command -v clang++-14 >/dev/null || need+=(clang-14)
dpkg -s libclang-rt-14-dev >/dev/null 2>&1 || need+=(libclang-rt-14-dev)
if [ ${#need[@]} -gt 0 ]; then
  echo "Installing: ${need[*]}"
  sudo_cmd=""; [ "$(id -u)" -eq 0 ] || sudo_cmd=sudo
  $sudo_cmd apt-get install -y -qq "${need[@]}"
fi

CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -DZORVITAN_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=(head line_end pattern path)
cmake --build build/fuzz -j2 --target "${targets[@]/%/_fuzz}"

for target in "${targets[@]}"; do
  mkdir -p "build/fuzz/corpus-$target"
  echo "== $target: ${seconds}s"
  "build/fuzz/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 \
    "build/fuzz/corpus-$target" "fuzz/corpus/$target" 2>&1 | tail -n 1
done
echo "No fuzz target found a difference from its model."
