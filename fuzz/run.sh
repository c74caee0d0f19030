#!/bin/sh
# Builds the fuzz target with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs it for SECONDS (default 600) on 1 job, keeping its corpus between runs.
# usage: fuzz/run.sh [SECONDS] [extra libFuzzer flags...]
set -e
cd "$(dirname "$0")/.."
seconds=${1:-600}
[ $# -gt 0 ] && shift
out=build-fuzz
cmake -S fuzz -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out" -j 2 --target article-fuzz seed-corpus

# Seeds: writer-made files, plus the sample dictionary when a build has compiled it.
samples=$(ls build*/bin/Morva.uzd 2>/dev/null | head -n 1)
"$out/seed-corpus" "$out/seeds" $samples
mkdir -p "$out/corpus"
exec "$out/article-fuzz" "$out/corpus" "$out/seeds" -max_total_time="$seconds" -print_final_stats=1 -timeout=60 "$@"
