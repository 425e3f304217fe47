#!/usr/bin/env bash
# Configures and builds the fuzz targets (CMake option SKYVANE_FUZZ) with clang++, libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer. Sourced by the scripts/fuzz-*.sh that run them;
# it leaves the build folder in $fuzz_build.
#
# FUZZ_BUILD_DIR chooses the build folder (default build-fuzz in the repository).
set -euo pipefail

fuzz_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
fuzz_build=${FUZZ_BUILD_DIR:-$fuzz_root/build-fuzz}

for tool in clang++ cmake ninja; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (run scripts/install-deps.sh)" >&2; exit 2; }
done

if [[ ! -f "$fuzz_build/build.ninja" ]]; then
    cmake -S "$fuzz_root" -B "$fuzz_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DSKYVANE_FUZZ=ON >/dev/null
fi
cmake --build "$fuzz_build" -j "${FUZZ_JOBS:-$(nproc)}"
