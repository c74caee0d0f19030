#!/bin/sh
# Builds everything and runs every test: first the engine's tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the whole suite.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build-sanitize -DMORVA_ENGINE_ONLY=ON -DMORVA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

cmake -S . -B build >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
