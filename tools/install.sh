#!/usr/bin/env bash
# Installs whatever Tessvane needs to build, run and test that this Debian 12 machine lacks.
# Quick when everything is there: it asks dpkg first and calls apt-get only for what is missing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev libxkbcommon-dev libjpeg62-turbo-dev
  # run: the Chinese texts need a CJK font
  fonts-noto-cjk
  # tests, sanitizers, fuzzing, benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  libgif-dev libstb-dev
  # end-to-end tests and fixtures: a real X server, a driver, image tools
  xvfb xauth xdotool x11-utils imagemagick libjpeg-turbo-progs
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null | grep -qx installed; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
