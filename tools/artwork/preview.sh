#!/usr/bin/env bash
# Composes mock-ups of the windows from the skin pictures, to judge the
# artwork in place:
#   /tmp/velmora-preview.png          the main window (home page, tab 0
#                                     selected, tab 2 hovered, close hovered)
#   /tmp/velmora-preview-dialogs.png  every other window's size cropped
#                                     from the same background
# Usage: tools/artwork/preview.sh [RES_ROOT]   (default: <repo>/res)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
res=${1:-$root/res}
skin=$res/Skin

# shellcheck source=lib.sh
. "$here/lib.sh"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# frame_window OUT W H TITLE [MIN]: background, title, buttons and the
# 5-pixel rounded region of a window W x H pixels.
frame_window() {
  local dst=$1 w=$2 h=$3 title=$4 with_min=${5:-}
  local args=(-size "${w}x${h}" xc:none "$skin/img/Background.jpg" -geometry +0+0 -composite
              -font "$FONT_REGULAR" -pointsize 12 -fill white -gravity northwest -annotate +13+8 "$title"
              "$skin/Button/Close1.png" -geometry "+$((w - 42))-1" -composite)
  if [ -n "$with_min" ]; then
    args+=("$skin/Button/Minimization1.png" -geometry "+$((w - 70))-1" -composite)
  fi
  im "${args[@]}" \
     \( -size "${w}x${h}" xc:none -fill white -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) 2.5,2.5" \) \
     -compose DstIn -composite -compose Over "MIFF:$dst"
}

# Main window: 12070 x 7600 twips = 805 x 507 pixels.
W=805
H=507
frame_window "$tmp/main" $W $H "Velmora V2.5.4" min
tab_left=(27 116 207 297 387 477 567)
args=("$tmp/main")
strip=$skin/Tab/XuanXiang.png
args+=(\( "$strip" -crop 90x95+650+0 +repage \) -geometry +23+37 -composite)
args+=(\( "$strip" -crop 90x95+560+0 +repage \) -geometry +203+37 -composite)
for i in 0 1 2 3 4 5 6; do
  args+=(\( "$strip" -crop "80x80+$((80 * i))+0" +repage \) -geometry "+${tab_left[$i]}+43" -composite)
done
args+=("$skin/Button/Close2.png" -geometry "+$((W - 42))-1" -composite)
# Home page frame (2,132) with the advertisement frame at its right.
args+=(\( "$skin/img/General.jpg" -crop 801x372+0+0 +repage \) -geometry +2+132 -composite
       \( "$skin/img/General.jpg" -crop 168x372+0+0 +repage \) -geometry +635+132 -composite
       -fill '#b8cce2' -draw "line 634,132 634,503"
       -font "$FONT_BOLD" -pointsize 14 -fill '#1f5aa0' -annotate +24+150 "常用工具"
       -font "$FONT_REGULAR" -pointsize 12 -fill '#334455'
       -annotate +24+180 "鼠标指针编辑    系统声音    驱动器图标    文件夹图标"
       -annotate +24+204 "右键菜单背景    任务栏文字    任务栏透明    登录画面"
       -annotate +650+150 "热门推荐"
       -fill '#667788' -annotate +650+174 "精美壁纸每日更新")
im "${args[@]}" -background '#6b7a89' -gravity center -extent $((W + 24))x$((H + 24)) \
   -strip "PNG:/tmp/velmora-preview.png"

# The other windows (pixel sizes of their twip sizes), laid out on a sheet,
# with the button states and the icon sizes enlarged three times below.
dialogs=("267 93 关于软件" "266 239 软件设置" "414 191 在线软件更新" "230 307 鼠标指针" "245 360 系统图标"
         "593 468 桌面壁纸" "667 407 登陆界面" "732 551 资源管理")
sheet=()
x=12; y=12; row_h=0; sheet_w=0; n=0
for d in "${dialogs[@]}"; do
  read -r dw dh dt <<<"$d"
  if [ $((x + dw)) -gt 1500 ]; then x=12; y=$((y + row_h + 12)); row_h=0; fi
  n=$((n + 1))
  frame_window "$tmp/d$n" "$dw" "$dh" "$dt"
  sheet+=("$tmp/d$n" -geometry "+$x+$y" -composite)
  x=$((x + dw + 12))
  [ "$dh" -gt "$row_h" ] && row_h=$dh
  [ "$x" -gt "$sheet_w" ] && sheet_w=$x
done
y=$((y + row_h + 12))
im "$skin/img/Background.jpg" -crop 210x30+600+0 +repage \
   \( "$skin/Button/Minimization1.png" "$skin/Button/Minimization2.png" "$skin/Button/Minimization3.png" \
      "$skin/Button/Close1.png" "$skin/Button/Close2.png" "$skin/Button/Close3.png" -background none +append \) \
   -geometry +0-1 -composite -filter point -resize 300% "MIFF:$tmp/buttons"
icons=()
for i in 3 2 1 0; do icons+=("$skin/img/Ico.ico[$i]"); done
im "${icons[@]}" -background '#d4d0c8' -gravity south +append +repage -flatten \
   -filter point -resize 300% "MIFF:$tmp/icons"
sheet+=("$tmp/buttons" -geometry "+12+$y" -composite "$tmp/icons" -geometry "+660+$y" -composite)
y=$((y + 156))
im -size "${sheet_w}x${y}" xc:'#6b7a89' "${sheet[@]}" -strip "PNG:/tmp/velmora-preview-dialogs.png"
echo "wrote /tmp/velmora-preview.png and /tmp/velmora-preview-dialogs.png"
