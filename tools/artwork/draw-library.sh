# shellcheck shell=bash disable=SC2154,SC2034
# (tmp comes from the sourcing script; S and CANVAS_* are read by the
# helpers called from here, through bash's dynamic scoping.)
# The management centre's pictures (sourced by make-artwork.sh): the loading
# and empty notices, which sit on the white tile area, and the hover frame
# that lies under or over a tile.

# text_layer OUT W H POINTSIZE COLOUR X TEXT: one line of bold text, its
# left edge at X and centred vertically.
text_layer() {
  im -size "$2x$3" xc:none -font "$FONT_BOLD" -pointsize "$4" -fill "$5" \
     -gravity west -annotate "+$6+0" "$7" "MIFF:$1"
}

# text_width POINTSIZE TEXT: the width the bold text takes, in pixels.
text_width() {
  im -font "$FONT_BOLD" -pointsize "$1" "label:$2" -format '%w' info:
}

# JiaZai.png: a ring of dots fading round like a turning wheel, then the
# words in blue, together centred on a clear picture.
make_loading() {
  local dst=$1 t=$tmp/jiazai w=346 h=30
  local text="正在努力的加载，请稍候..." size=15
  local tw ring=22 gap=8 x0 cx cy=15 i mvg=''
  tw=$(text_width "$size" "$text")
  x0=$(((w - ring - gap - tw) / 2))
  cx=$((x0 + ring / 2))
  local CANVAS_W=$w CANVAS_H=$h
  LAYERS=()
  for i in 0 1 2 3 4 5 6 7; do
    local a x y
    a=$(calc "$i*3.14159265/4")
    x=$(calc "$cx+8*sin($a)")
    y=$(calc "$cy-8*cos($a)")
    fill_shape "rgba(31,106,204,$(calc "0.18+0.82*$i/7"))" "circle $x,$y $(calc "$x+2.2"),$y"
  done
  stack "$t-big" "${LAYERS[@]}"
  shrink "$t-big" "$t-ring"
  text_layer "$t-text" "$w" "$h" "$size" '#1f6acc' $((x0 + ring + gap)) "$text"
  stack "$t-all" "$t-ring" "$t-text"
  write_png "$t-all" "$dst"
}

# MeiYou.png: the words in white on a soft blue band that fades out at both
# ends into the white around it.
make_empty() {
  local dst=$1 t=$tmp/meiyou w=573 h=31
  local text="对不起，您没有下载任何内容，请返回主界面下载资源！" size=15
  local tw
  tw=$(text_width "$size" "$text")
  local CANVAS_W=$w CANVAS_H=$h
  LAYERS=()
  fill_shape "lin 0,0 #5aa6ec 0,31 #2f78cc" "roundrectangle 0.5,0.5 $(calc "$w-0.5"),30.5 8,8"
  fill_shape "lin 0,1 rgba(255,255,255,0.38) 0,14 rgba(255,255,255,0.04)" \
    "roundrectangle 1.5,1.5 $(calc "$w-1.5"),14 7,7"
  line_shape 'rgba(20,70,150,0.55)' 1 "roundrectangle 0.5,0.5 $(calc "$w-0.5"),30.5 8,8"
  stack "$t-big" "${LAYERS[@]}"
  shrink "$t-big" "$t-band"
  # The band's ends fade out: nothing at the edge, full from 90 pixels in.
  im -size "${w}x${h}" xc:white \
     \( -size "${h}x90" gradient:white-black -rotate 90 \) -geometry +0+0 -composite \
     \( -size "${h}x90" gradient:black-white -rotate 90 \) -geometry +$((w - 90))+0 -composite \
     -alpha copy "MIFF:$t-fade"
  im "$t-band" "$t-fade" -compose DstIn -composite "MIFF:$t-band2"
  text_layer "$t-text" "$w" "$h" "$size" white $(((w - tw) / 2)) "$text"
  with_shadow "$t-text" "$t-text2" 1 0 1 0.8 '#0b3a80'
  stack "$t-all" "$t-band2" "$t-text2"
  write_png "$t-all" "$dst"
}

# TouMingKuang.png: a light-blue rounded plate, alpha 201 of 255 all over
# its area (rounded corners aside), with a slightly deeper edge.
make_hover_frame() {
  local dst=$1 t=$tmp/kuang w=180 h=156
  local CANVAS_W=$w CANVAS_H=$h
  LAYERS=()
  fill_shape '#96c8fa' "roundrectangle 0,0 $w,$h 6,6"
  line_shape '#5f9fe4' 1 "roundrectangle 0.5,0.5 $(calc "$w-0.5"),$(calc "$h-0.5") 6,6"
  stack "$t-big" "${LAYERS[@]}"
  shrink "$t-big" "$t-plate"
  # Drawn opaque, then made translucent as a whole, so edge and plate share the one alpha.
  im "$t-plate" -channel A -evaluate multiply "$(calc "201/255")" +channel "MIFF:$t-all"
  write_png "$t-all" "$dst"
}

make_library() {
  local dir=$1
  make_loading "$dir/JiaZai.png"
  make_empty "$dir/MeiYou.png"
  make_hover_frame "$dir/TouMingKuang.png"
}
