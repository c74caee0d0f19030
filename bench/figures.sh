#!/bin/sh
# The command-line and start-up figures, on generated dictionaries, from a Release build:
#   - morva-gen: time and peak memory for a 25 MB and a 50 MB file;
#   - Debian's sdcv on the same content: bench/stardict.py writes the en-uz pair of each file as a
#     StarDict dictionary, and sdcv reads it from there with a home of its own;
#   - a one-word `morva-cli lookup` against `sdcv` on the 25 MB and the 50 MB file (and `cat` of
#     the file, the least a load that reads every byte can take), and 1,000 words in one run on
#     the 50 MB file: hyperfine in alternating rounds, medians, the morva-cli/sdcv ratio;
#   - the program's start to its visible main window, with the 50 MB file and with the sample,
#     under a private Xvfb display (xdotool polls for the window every few milliseconds).
# usage: bench/figures.sh [BUILD] [DISPLAY_NUMBER] [RUNS] [ROUNDS]
#   BUILD defaults to build-release (cmake -DCMAKE_BUILD_TYPE=Release; targets morva, morva-cli,
#   morva-gen, morva_data, morva_fonts); the display defaults to 99, the start-up runs to 7, the rounds of
#   10 timed runs of each lookup command to 5.
set -e
cd "$(dirname "$0")/.."
for tool in hyperfine Xvfb xdotool python3 sdcv; do
  command -v "$tool" >/dev/null || { echo "needs $tool: apt-get install -y hyperfine xvfb xdotool python3 sdcv" >&2; exit 2; }
done
build=${1:-build-release}
display=${2:-99}
runs=${3:-7}
rounds=${4:-5}
bin=$(cd "$build/bin" && pwd)
work=$(mktemp -d /tmp/morva-figures.XXXXXX)
trap 'rm -rf "$work"' EXIT

echo "== morva-gen (seconds, peak KB)"
for size in 25000000 50000000; do
  /usr/bin/time -f "$size bytes: %e s elapsed, %U s user, %M KB peak" \
    "$bin/morva-gen" "$size" 2024 "$work/g$size.uzd" >/dev/null
done

echo "== StarDict copies of the en-uz pair, for sdcv"
for size in 25000000 50000000; do
  python3 bench/stardict.py "$bin/morva-cli" "$work/g$size.uzd" en uz "$work/sd$size/dic"
  du -sh "$work/sd$size/dic" | cut -f1
done
# sdcv keeps a history and caches in its home; give it one of its own.
mkdir -p "$work/sdcv-home"

# compare LABEL NAME COMMAND NAME COMMAND ...: the commands in alternating rounds of hyperfine,
# since the machine may be shared; each one's median over all rounds and the first's ratio to
# the second's.
compare() {
  label=$1
  shift
  rm -f "$work"/round*.json
  for round in $(seq "$rounds"); do
    # Its warnings about outliers are expected on a shared machine; its errors are shown.
    HOME="$work/sdcv-home" hyperfine -N -w 2 -r 10 --export-json "$work/round$round.json" "$@" \
      >/dev/null 2>"$work/hyperfine.err" || { cat "$work/hyperfine.err" >&2; exit 1; }
  done
  python3 - "$label" "$work"/round*.json <<'PY'
import json, statistics, sys
times = {}
for path in sys.argv[2:]:
    for r in json.load(open(path))["results"]:
        times.setdefault(r["command"], []).extend(r["times"])
medians = {name: statistics.median(t) * 1000 for name, t in times.items()}
for name, median in medians.items():
    print("  %-10s %8.2f ms (median of %d runs)" % (name, median, len(times[name])))
first, second = list(medians.values())[:2]
print("%s: morva-cli / sdcv = %.2f" % (sys.argv[1], first / second))
PY
}

# Headwords that pass as single arguments to both tools: no blanks, no leading "-" (sdcv would
# take "-ment" for options).
plain_words() {
  "$bin/morva-cli" --data "$1" list en | grep -v -e ' ' -e '^-'
}

middle_word() {
  plain_words "$1" | awk '{w[NR] = $0} END {print w[int(NR / 2)]}'
}

for size in 25000000 50000000; do
  data="$work/g$size.uzd"
  word=$(middle_word "$data")
  echo "== one-word lookup, $((size / 1000000)) MB file, \"$word\""
  compare "one word, $((size / 1000000)) MB" \
    -n morva-cli "$bin/morva-cli --data $data lookup en uz $word" \
    -n sdcv "sdcv -2 $work/sd$size -x -n -0 -1 $word" \
    -n cat "cat $data"
done

echo "== 1,000 words in one run, 50 MB file"
big="$work/g50000000.uzd"
words=$(plain_words "$big" | awk 'NR % 97 == 1' | head -n 1000 | tr '\n' ' ')
[ "$(echo $words | wc -w)" -eq 1000 ] || { echo "fewer than 1,000 words" >&2; exit 1; }
compare "1,000 words, 50 MB" \
  -n morva-cli "$bin/morva-cli --data $big lookup en uz $words" \
  -n sdcv "sdcv -2 $work/sd50000000 -x -n -0 -1 $words"

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
