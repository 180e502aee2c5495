#!/usr/bin/env bash
# Sets everything up, builds Orvane and starts it; arguments go to Orvane.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh run
cmake -S . -B build -G Ninja -DBUILD_TESTING=OFF -DORVANE_BENCH=OFF >/dev/null
cmake --build build --target orvane -j2
exec build/orvane "$@"
