#!/bin/sh
# Builds everything, installs the two display fonts for the current user and starts the program
# on the bundled sample dictionary. Runs as root or as a normal user (sudo is asked for only when
# packages are missing).
set -e
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)"
sh scripts/install-fonts.sh build
# The program insists on the Russian system language that its dictionary data was made for.
LANG=ru_RU.UTF-8 LC_ALL= exec build/bin/morva
