#!/usr/bin/env bash
# Sets everything up, checks formatting, then builds and runs every test twice: plainly
# and with AddressSanitizer and UndefinedBehaviorSanitizer. Warnings fail the build. Then
# installs Orvane into a temporary prefix, validates its desktop entry and metadata, builds
# and installs its .deb, and builds a project that uses its core as a subdirectory.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh test

echo "== Repository"
# Packages are built and fetched, never kept in the repository.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1 && [ -n "$(git ls-files -- '*.deb')" ]; then
    echo "packages are committed: $(git ls-files -- '*.deb' | tr '\n' ' ')" >&2
    exit 1
fi

echo "== Formatting"
mapfile -t sources < <(git ls-files -- '*.cpp' '*.h')
clang-format-14 --dry-run --Werror "${sources[@]}"

export QT_QPA_PLATFORM=offscreen

echo "== Plain build and tests"
cmake -S . -B build -G Ninja -DORVANE_WERROR=ON -DBUILD_TESTING=ON -DORVANE_BENCH=ON
cmake --build build -j2
ctest --test-dir build --output-on-failure

echo "== Sanitizer build and tests"
cmake -S . -B build-asan -G Ninja -DORVANE_WERROR=ON -DORVANE_SANITIZE=ON -DORVANE_BENCH=OFF
cmake --build build-asan -j2
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure

scripts/check-install.sh
