#!/usr/bin/env bash
# Draws the skin pictures shipped in the program directory (res/Skin/...).
# Usage: tools/artwork/make-artwork.sh [OUTPUT_ROOT]   (default: <repo>/res)
# Needs the Debian packages imagemagick and fonts-noto-cjk. The output is
# byte-for-byte the same on every run with the same ImageMagick build.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${1:-$root/res}

# shellcheck source=lib.sh
. "$here/lib.sh"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

mkdir -p "$out/Skin/img" "$out/Skin/Button" "$out/Skin/Tab" "$out/Skin/GuanLi"

. "$here/draw-window.sh"
. "$here/draw-buttons.sh"
. "$here/draw-tabs.sh"
. "$here/draw-icon.sh"
. "$here/draw-library.sh"

make_background "$out/Skin/img/Background.jpg"
make_general "$out/Skin/img/General.jpg"
make_buttons "$out/Skin/Button"
# The tab pictures and the two markers are drawn one by one, then shipped as one strip that the
# program decodes once: tabs 0-6 (80 x 80 each), then HuaKuang and HuaKuangXD (90 x 95 each).
mkdir -p "$tmp/tabs"
make_markers "$tmp/tabs"
make_tabs "$tmp/tabs"
make_tab_strip "$tmp/tabs" "$out/Skin/Tab/XuanXiang.png"
make_icon "$out/Skin/img/Ico.ico"
make_library "$out/Skin/GuanLi"

echo "artwork written under $out/Skin"
