#!/bin/sh
# The command-line and start-up figures, on generated dictionaries, from a Release build:
#   - morva-gen: time and peak memory for a 25 MB and a 50 MB file;
#   - one-word `morva-cli lookup` on the 25 MB file against `cat` of it (hyperfine), and the ratio;
#   - 1,000 words in one `morva-cli lookup` run on the 50 MB file;
#   - the program's start to its visible main window, with the 50 MB file and with the sample,
#     under a private Xvfb display (xdotool polls for the window every few milliseconds).
# usage: bench/figures.sh [BUILD] [DISPLAY_NUMBER] [RUNS]
#   BUILD defaults to build-release (cmake -DCMAKE_BUILD_TYPE=Release; targets morva, morva-cli,
#   morva-gen, morva_data); the display defaults to 99, the start-up runs to 7.
set -e
cd "$(dirname "$0")/.."
for tool in hyperfine Xvfb xdotool python3; do
  command -v "$tool" >/dev/null || { echo "needs $tool: apt-get install -y hyperfine xvfb xdotool python3" >&2; exit 2; }
done
build=${1:-build-release}
display=${2:-99}
runs=${3:-7}
bin=$(cd "$build/bin" && pwd)
work=$(mktemp -d /tmp/morva-figures.XXXXXX)
trap 'rm -rf "$work"' EXIT

echo "== morva-gen (seconds, peak KB)"
for size in 25000000 50000000; do
  /usr/bin/time -f "$size bytes: %e s elapsed, %U s user, %M KB peak" \
    "$bin/morva-gen" "$size" 2024 "$work/g$size.uzd" >/dev/null
done

echo "== one-word lookup against cat, 25 MB"
hyperfine -N -w 5 -r 40 --export-json "$work/lookup.json" \
  "cat $work/g25000000.uzd" "$bin/morva-cli --data $work/g25000000.uzd lookup en uz book" | grep -E 'Benchmark|Time'
python3 - "$work/lookup.json" <<'PY'
import json, sys
r = json.load(open(sys.argv[1]))["results"]
print("lookup / cat = %.2f (means), %.2f (medians)" % (r[1]["mean"] / r[0]["mean"], r[1]["median"] / r[0]["median"]))
PY

echo "== 1,000 words in one run, 50 MB"
big="$work/g50000000.uzd"
"$bin/morva-cli" --data "$big" list en | awk 'NR % 97 == 1' | head -n 1000 > "$work/words"
wc -l < "$work/words"
hyperfine -w 2 -r 10 "$bin/morva-cli --data $big lookup en uz - < $work/words" | grep -E 'Benchmark|Time'

echo "== start-up to the main window: 50 MB file against the sample"
Xvfb ":$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
starts() {
  data=$1
  mkdir -p "$work/app" "$work/home"
  cp "$bin/morva" "$work/app/morva"
  cp "$data" "$work/app/Morva.uzd"
  for i in $(seq "$runs"); do
    rm -rf "$work/home"/*
    mkdir -p "$work/home/config" "$work/home/runtime"
    chmod 700 "$work/home/runtime"
    start=$(date +%s%N)
    env -i PATH="$PATH" DISPLAY=":$display" HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" \
      XDG_RUNTIME_DIR="$work/home/runtime" LANG=ru_RU.UTF-8 FONTCONFIG_FILE="$(cd "$build" && pwd)/fonts/fonts.conf" \
      "$work/app/morva" >/dev/null 2>&1 &
    app=$!
    until DISPLAY=":$display" xdotool search --onlyvisible --name '^Kovrak MORVA$' >/dev/null 2>&1; do :; done
    end=$(date +%s%N)
    kill $app; wait $app 2>/dev/null || true
    echo $(( (end - start) / 1000000 ))
  done | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}
sample=$(starts "$bin/Morva.uzd")
large=$(starts "$big")
echo "sample: ${sample} ms, 50 MB: ${large} ms (medians of $runs), difference: $((large - sample)) ms"
