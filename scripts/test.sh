#!/bin/sh
# Builds everything and runs every test: first the engine's tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the engine's and the lookup library's under ThreadSanitizer
# (the dictionary is read from several threads at once), then the whole suite.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build-sanitize -DMORVA_ENGINE_ONLY=ON -DMORVA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

cmake -S . -B build-tsan -DMORVA_ENGINE_ONLY=ON -DMORVA_SANITIZE_THREADS=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-tsan -j "$jobs" --target engine_tests lookup_tests
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure -j "$jobs" -R '^(engine|lookup)_tests$'

cmake -S . -B build >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
