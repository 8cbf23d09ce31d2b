#!/usr/bin/env bash
# Installs what is missing, builds, registers the library and starts Texel Forge.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
build/bin/comreg build/bin/Corvane_Gorm.so
echo "Program folder: build/bin"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting under Xvfb."
  exec xvfb-run -a build/bin/TexelForge
fi
exec build/bin/TexelForge
