#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, where missing.
set -euo pipefail
packages=(cmake g++ make pkg-config zlib1g-dev libfreeimage-dev qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev clang clang-format libclang-rt-14-dev xvfb xauth
  fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" = 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
