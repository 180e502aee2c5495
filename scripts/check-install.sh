#!/usr/bin/env bash
# Installs the plain build into a temporary prefix and validates what the desktop reads,
# builds the .deb and installs it on this machine (then removes it again), and builds a
# project that takes the calculation core as a subdirectory. Needs scripts/test.sh's build.
set -euo pipefail
cd "$(dirname "$0")/.."

id=org.orvane.Orvane
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "== Install into a prefix"
cmake --install build --prefix "$work/prefix"
for file in bin/orvane "share/applications/$id.desktop" \
            "share/icons/hicolor/scalable/apps/$id.svg" "share/metainfo/$id.metainfo.xml" \
            share/man/man1/orvane.1; do
    test -e "$work/prefix/$file" || { echo "not installed: $file" >&2; exit 1; }
done
desktop-file-validate "$work/prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$work/prefix/share/metainfo/$id.metainfo.xml"
"$work/prefix/bin/orvane" --version

echo "== Debian package"
(cd build && cpack -G DEB -B "$work/package")
deb=$(echo "$work"/package/orvane_*.deb)
dpkg-deb --field "$deb" Depends
if dpkg-query -W -f='${Status}' orvane 2>/dev/null | grep -q "install ok installed"; then
    echo "orvane is installed on this machine already: not replacing it with the test package"
else
    if [ "$(id -u)" -eq 0 ]; then as_root=(); else as_root=(sudo); fi
    apt=("${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300)
    "${apt[@]}" install -y -qq "$deb" >/dev/null
    installed_version=$(env -u DISPLAY /usr/bin/orvane --version)
    "${apt[@]}" remove -y -qq orvane >/dev/null
    echo "from the package: $installed_version"
fi

echo "== A project that uses the core"
cmake -S tests/consumer -B "$work/consumer" -G Ninja >/dev/null
cmake --build "$work/consumer"
"$work/consumer/consumer"
