#!/usr/bin/env bash
# Installs what the builds need on Debian 12 when run as root; otherwise
# names the missing packages and stops.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for pkg in cmake ninja-build g++ clang libgtest-dev libgmock-dev libbenchmark-dev googletest \
           libclang-rt-14-dev libxml2-dev libxml2-utils nlohmann-json3-dev libcli11-dev g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine64; do
  have_pkg "$pkg" || need+=("$pkg")
done

[ ${#need[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${need[*]}" >&2
  echo "Install them with: sudo apt-get install -y --no-install-recommends ${need[*]}" >&2
  exit 1
fi

echo "Installing: ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
