#!/usr/bin/env bash
# Installs every Debian package Chattle needs to build, run and test. Safe to run again:
# it asks apt only for what is missing and refreshes the package lists only then.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6opengl6-dev
  libgif-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  ngircd inspircd xvfb xauth openssl
  desktop-file-utils appstream
  clang libclang-rt-14-dev
  fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"

# The IRC servers' packages start system-wide daemons on port 6667; Chattle starts its own servers.
for daemon in ngircd inspircd; do
  if command -v systemctl >/dev/null 2>&1 && systemctl is-active --quiet "$daemon" 2>/dev/null; then
    "${as_root[@]}" systemctl stop "$daemon" || true
  fi
done
