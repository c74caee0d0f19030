#!/bin/sh
# Builds everything and starts the program on the bundled sample dictionary.
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)"
build/bin/morva-cli info
build/bin/morva-cli nearest en book
