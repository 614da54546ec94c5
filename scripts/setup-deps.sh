#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the program and the
# tests need and the machine does not have yet.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev libgl-dev libvulkan-dev
  libsqlite3-dev libcurl4-openssl-dev
  fonts-liberation xvfb xauth
  # pdftotext: the report tests read back every page of a printed PDF
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q || true
  "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
