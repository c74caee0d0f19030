#!/bin/sh
# Installs the program's two display fonts for the current user and refreshes the font cache.
# Usage: install-fonts.sh [BUILD_FOLDER]   (default: build)
set -e
cd "$(dirname "$0")/.."
build=${1:-build}
target="${XDG_DATA_HOME:-$HOME/.local/share}/fonts/kovrak-morva"
for font in ArialForKovrMorva.ttf SILManuscriptIPA.ttf; do
  if [ ! -f "$build/fonts/$font" ]; then
    echo "install-fonts.sh: $build/fonts/$font is missing; build the program first" >&2
    exit 1
  fi
done
mkdir -p "$target"
cp "$build/fonts/ArialForKovrMorva.ttf" "$build/fonts/SILManuscriptIPA.ttf" "$target/"
fc-cache -f "$target" >/dev/null 2>&1 || fc-cache -f >/dev/null 2>&1 || true
