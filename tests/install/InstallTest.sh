#!/bin/sh
# The installed tree, as a user or the Debian package gets it: installed into a private
# DESTDIR, its launcher and metadata pass the desktop's validators, and the installed
# morva-cli and program run from it on the installed data and fonts.
# Usage: InstallTest.sh BUILD_FOLDER README
set -eu
build=$1
readme=$2
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
root=$(mktemp -d "$HOME/install.XXXXXX")
# The program's socket lives in the runtime folder, whose path must stay short.
runtime=$(mktemp -d /tmp/morva-install-runtime.XXXXXX)
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null || true
  rm -rf "$root" "$runtime"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
prefix=$root/usr

id=io.github.kovrak.morva
for file in bin/morva bin/morva-cli lib/kovrak-morva/morva lib/kovrak-morva/morva-cli \
    lib/kovrak-morva/Morva.uzd lib/kovrak-morva/Morva.chm \
    share/fonts/truetype/kovrak-morva/ArialForKovrMorva.ttf \
    share/fonts/truetype/kovrak-morva/SILManuscriptIPA.ttf \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
    share/man/man1/morva-cli.1.gz share/doc/kovrak-morva/html/uz/index.html; do
  [ -e "$prefix/$file" ] || fail "$file is not installed"
done
# The launchers are links, so a moved prefix still finds the programs.
[ "$(readlink "$prefix/bin/morva")" = ../lib/kovrak-morva/morva ] || fail "bin/morva is no relative link"

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$root/appstream.log" 2>&1 \
  || { cat "$root/appstream.log" >&2; fail "appstreamcli validate"; }
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "the launcher names another icon"
grep -qx "Exec=morva" "$prefix/share/applications/$id.desktop" || fail "the launcher starts another program"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/share/metainfo/$id.metainfo.xml" \
  || fail "the metadata names another launcher"

# Every form of morva-cli that the README shows is among the manual page's examples.
manual=$root/morva-cli.txt
zcat "$prefix/share/man/man1/morva-cli.1.gz" | sed 's/\\-/-/g' >"$manual"
grep '^    morva-cli ' "$readme" | sed 's/ *#.*$//; s/ \[[^]]*\]//g; s/^ *//' >"$root/forms"
while IFS= read -r form; do
  grep -qxF -- "$form" "$manual" || fail "the manual page of morva-cli does not show: $form"
done <"$root/forms"

# morva-cli, started through its link from elsewhere, reads the data installed beside it.
article=$(cd / && "$prefix/bin/morva-cli" lookup en uz book) || fail "installed morva-cli lookup"
echo "$article" | grep -q "китоб" || fail "installed morva-cli found no article: $article"

# The program checks its fonts against what fontconfig offers: here only the installed ones.
cat >"$root/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>$prefix/share/fonts/truetype/kovrak-morva</dir>
  <cachedir>$root/fontcache</cachedir>
</fontconfig>
CONF
chmod 700 "$runtime"
cat >"$root/start" <<START
#!/bin/sh
exec env -u LC_ALL LANG=ru_RU.UTF-8 FONTCONFIG_FILE="$root/fonts.conf" XDG_RUNTIME_DIR="$runtime" "$prefix/bin/morva"
START
# A child that has ended stays a zombie until it is waited for.
running() { [ -r "/proc/$1/stat" ] && ! grep -q ') Z' "/proc/$1/stat"; }

sh "$root/start" >"$root/first.log" 2>&1 &
program=$!
# Past the language and font checks the program reads its settings, which creates the file.
waited=0
until [ -e "$XDG_CONFIG_HOME/kovrak-morva/registry.reg" ]; do
  running "$program" || { cat "$root/first.log" >&2; fail "the installed program ended at start"; }
  [ "$waited" -lt 400 ] || fail "the installed program did not get past its checks in 20 s"
  sleep 0.05
  waited=$((waited + 1))
done
running "$program" || { cat "$root/first.log" >&2; fail "the installed program ended at start"; }

# A second start hands over to the running copy and ends with status 0.
timeout 20 sh "$root/start" >"$root/second.log" 2>&1 \
  || { cat "$root/second.log" >&2; fail "a second start of the installed program did not hand over"; }
running "$program" || fail "the installed program ended after the hand-over"
echo "installed tree checked"
