#!/bin/sh
# Builds one fuzz target with clang and libFuzzer and runs it for a while.
# usage: run_fuzz.sh SOURCE_ROOT BUILD_DIR NAME SECONDS
set -e
root=$1 out=$2 name=$3 seconds=$4
mkdir -p "$out/corpus-$name"
clang++-14 -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I "$root" -o "$out/$name" \
    "$root/download/fuzz/$name.cpp" "$root/download/XiaZaiQi.cpp" "$root/download/Url.cpp" \
    "$root/download/HttpHeader.cpp" "$root/platform/Strings.cpp"
exec "$out/$name" -max_total_time="$seconds" -max_len=4096 "$out/corpus-$name" "$root/download/fuzz/seeds-$name"
