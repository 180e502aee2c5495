#!/usr/bin/env bash
# Installs what Orvane needs on Debian, when it is missing.
#   setup.sh run   what building and running Orvane needs
#   setup.sh test  that and what the tests, the benchmarks and the packaging need
set -euo pipefail

run_packages=(g++ cmake ninja-build qt6-base-dev libgl-dev libqt6svg6 libqcustomplot-dev
              fonts-dejavu-core nec2c)
test_packages=(libgtest-dev libbenchmark-dev clang-format-14 desktop-file-utils appstream
               dpkg-dev file)

case "${1:-}" in
    run) packages=("${run_packages[@]}") ;;
    test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -eq 0 ]; then
        as_root=()
    elif command -v sudo >/dev/null; then
        as_root=(sudo)
    else
        echo "setup: need root or sudo to install ${missing[*]}" >&2
        exit 1
    fi
    "${as_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi
