#!/bin/sh
# Runs one fuzz target (built by the native build) for a while from its seeds.
# usage: run_fuzz.sh FUZZ_DIR NAME SECONDS
set -e
dir=$1 name=$2 seconds=$3
seeds=$(dirname "$0")/seeds-$name
mkdir -p "$dir/corpus-$name"
exec "$dir/$name" -max_total_time="$seconds" -max_len=4096 "$dir/corpus-$name" "$seeds"
