#!/usr/bin/env bash
# Builds the Debian package from a Release build and checks it with lintian:
#   scripts/package.sh    ->  build/package/lumotrix_<version>_<arch>.deb
# Not part of the test run: lintian is a large install and the packaging build a second build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
for p in lintian dpkg-dev; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "$p"
  fi
done

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMOTRIX_TESTS=OFF "${launcher[@]}"
cmake --build build/release -j2
rm -rf build/package
cpack --config build/release/CPackConfig.cmake -B build/package
deb=$(ls build/package/*.deb)
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
# Errors fail the script; warnings and notes are shown.
lintian --fail-on error --info "$deb"
echo "package: $deb"
