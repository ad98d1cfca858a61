#!/usr/bin/env bash
# Installs what is missing on a Debian machine and builds Vetra32 into build/.
# Safe to run again: it installs nothing and prints nothing when all is there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ make cmake qt6-base-dev qt6-multimedia-dev libgtest-dev fonts-liberation poppler-utils libcurl4-openssl-dev
  qtkeychain-qt6-dev openssl cups printer-driver-cups-pdf ghostscript
  dpkg-dev desktop-file-utils appstream)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

mkdir -p build
# Our own builds treat every warning as an error.
if ! grep -qs '^VETRA_WERROR:BOOL=ON$' build/CMakeCache.txt; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVETRA_WERROR=ON >build/configure.log 2>&1 ||
    { cat build/configure.log; exit 1; }
fi
cmake --build build -j"$(nproc)" >build/build.log 2>&1 || { grep -E -B2 -A8 'error|Error' build/build.log | head -200; exit 1; }
