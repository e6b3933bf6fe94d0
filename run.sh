#!/usr/bin/env bash
# Builds Drenvala and starts it, with an optional network file: ./run.sh [network.snt]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/scripts/deps.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release -DDRENVALA_BENCH=OFF >/dev/null
cmake --build "$here/build" --target drenvala -j"$(nproc)"
exec "$here/build/bin/drenvala" "$@"
