#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test headless. Any failed test or
# sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup-deps.sh
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Debug -DVH_SANITIZE=ON -DVH_BUILD_TESTS=ON
cmake --build build-tests -j"$(nproc)"
cd build-tests
ctest --output-on-failure -j"$(nproc)" --timeout 300 "$@"
