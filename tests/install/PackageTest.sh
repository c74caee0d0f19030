#!/bin/sh
# The Debian packages as `cpack -G DEB` makes them, in a private folder: the program's package
# and the fonts' package of its own that it depends on, no placeholder address anywhere, and
# lintian finds no error or warning in either.
# Usage: PackageTest.sh BUILD_FOLDER
set -eu
build=$1
out=$(mktemp -d "${TMPDIR:-/tmp}/morva-packages.XXXXXX")
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log" >&2; fail "cpack"; }
program=$(ls "$out"/kovrak-morva_*_*.deb)
fonts=$(ls "$out"/fonts-kovrak-morva_*_all.deb)

dpkg-deb -f "$program" Depends | grep -q "fonts-kovrak-morva (= " || fail "the program does not depend on its fonts"
[ "$(dpkg-deb -f "$fonts" Multi-Arch)" = foreign ] || fail "the fonts package is not Multi-Arch: foreign"
[ "$(dpkg-deb -f "$fonts" Section)" = fonts ] || fail "the fonts package is not in the fonts section"
dpkg-deb -c "$fonts" | grep -q "/usr/share/fonts/truetype/kovrak-morva/ArialForKovrMorva.ttf" || fail "no Arial for KovrMorva"
dpkg-deb -c "$fonts" | grep -q "/usr/share/fonts/truetype/kovrak-morva/SILManuscriptIPA.ttf" || fail "no SILManuscriptIPA"
dpkg-deb -c "$program" | grep -q "\.ttf" && fail "the program's package holds a font"

for package in "$program" "$fonts"; do
  tree="$out/tree-$(basename "$package")"
  dpkg-deb -R "$package" "$tree"
  grep -rIl "example\.com" "$tree" && fail "$(basename "$package") names example.com"
  grep -ral "example\.com" "$tree/usr/lib" 2>/dev/null && fail "a program of $(basename "$package") names example.com"
done

lintian --tag-display-limit 0 "$program" "$fonts" >"$out/lintian.log" 2>&1 || true
if grep -E '^(E|W): ' "$out/lintian.log" >&2; then
  fail "lintian found errors or warnings"
fi
echo "packages checked"
