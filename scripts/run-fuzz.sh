#!/bin/sh
# Builds one libFuzzer target with clang and runs it for a while over its seeds.
# usage: run-fuzz.sh SOURCE_ROOT BUILD_DIR NAME SECONDS SEEDS_DIR SOURCE...
# (sources relative to SOURCE_ROOT; the first is the target itself)
set -e
root=$1 out=$2 name=$3 seconds=$4 seeds=$5
shift 5
mkdir -p "$out/corpus-$name"
sources=
for s in "$@"; do sources="$sources $root/$s"; done
# shellcheck disable=SC2086
clang++-14 -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I "$root" -o "$out/$name" $sources
exec "$out/$name" -max_total_time="$seconds" -max_len=4096 "$out/corpus-$name" "$root/$seeds"
