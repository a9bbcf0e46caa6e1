#!/usr/bin/env bash
# Sets everything up and runs the whole test suite.
# QNRP_BUILD_DIR chooses the build folder; QNRP_SANITIZE=1 builds with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

build=${QNRP_BUILD_DIR:-build}
flags=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${QNRP_SANITIZE:-0}" = 1 ]; then
  flags+=(-DQNRP_SANITIZE=ON -DQNRP_BENCH=OFF)
fi

cmake -S . -B "$build" "${flags[@]}"
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 300
