#!/usr/bin/env bash
# Installs what is missing, builds, and starts Velloran for Hockey from the
# build folder (which keeps its data in build/Data/).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVH_BUILD_TESTS=OFF
cmake --build build -j"$(nproc)" --target velloran

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting on a virtual screen (xvfb-run)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" ./build/velloran "$@"
fi
exec ./build/velloran "$@"
