#!/bin/sh
# Builds the command-line fuzz target with clang and libFuzzer and runs it for a while.
# usage: run_fuzz.sh SOURCE_ROOT BUILD_DIR SECONDS
set -e
root=$1 out=$2 seconds=$3 name=MingLingHangFuzz
mkdir -p "$out/corpus-$name"
clang++-14 -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -I "$root" -o "$out/$name" \
    "$root/shell/fuzz/$name.cpp" "$root/shell/MingLingHang.cpp" "$root/core/BiZhiWeiZhi.cpp" "$root/core/LianJie.cpp" "$root/core/ZiYuanMuLu.cpp" "$root/core/LuJing.cpp" \
    "$root/platform/Strings.cpp"
exec "$out/$name" -max_total_time="$seconds" -max_len=1024 "$out/corpus-$name" "$root/shell/fuzz/seeds-$name"
