#!/usr/bin/env bash
# Builds everything with warnings as errors and the address and undefined-behaviour sanitizers,
# then runs every test.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/scripts/deps.sh"
cmake -S "$here" -B "$here/build-test" -DCMAKE_BUILD_TYPE=Debug -DDRENVALA_WERROR=ON -DDRENVALA_SANITIZE=ON >/dev/null
cmake --build "$here/build-test" -j"$(nproc)"
cd "$here/build-test"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
