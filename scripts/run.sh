#!/usr/bin/env bash
# Sets everything up, builds Orvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -G Ninja -DORVANE_BENCH=OFF >/dev/null
cmake --build build --target orvane -j2
exec build/orvane
