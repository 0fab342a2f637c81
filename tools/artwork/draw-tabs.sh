# shellcheck shell=bash disable=SC2154,SC2034
# (tmp comes from the sourcing script; S and CANVAS_* are read by the
# helpers called from here, through bash's dynamic scoping.)
# Tab pictures of the main window and the two markers drawn under them
# (sourced by make-artwork.sh). A tab picture is 80x80: a drawn emblem in
# the upper 54 pixels and the tab's caption below it.

TAB_W=80
TAB_H=80

emblem_home() {
  # chimney, walls, door, window, roof
  fill_shape "lin 0,10 #d0503a 0,24 #8c2a18" "rectangle 50,10 57,26"
  line_shape '#6a1e10' 1 "rectangle 50.5,10.5 56.5,26"
  fill_shape "lin 0,26 #ffffff 0,52 #cfdcea" "rectangle 20,26 60,52"
  line_shape '#5c7390' 1 "rectangle 20.5,26 59.5,51.5"
  fill_shape "lin 0,36 #d88a48 0,52 #8a4a1c" "roundrectangle 34,36 46,52 2,2"
  line_shape '#5a2e10' 1 "roundrectangle 34.5,36.5 45.5,52 2,2"
  fill_shape '#ffe27a' "circle 43,45 43,46"
  fill_shape "lin 0,33 #bfe6ff 0,42 #4f9be0" "rectangle 49,33 56,41"
  line_shape '#3a5f88' 1 "rectangle 49.5,33.5 55.5,40.5 line 52.5,33.5 52.5,40.5 line 49.5,37 55.5,37"
  fill_shape "lin 0,33 #bfe6ff 0,42 #4f9be0" "rectangle 24,33 31,41"
  line_shape '#3a5f88' 1 "rectangle 24.5,33.5 30.5,40.5 line 27.5,33.5 27.5,40.5 line 24.5,37 30.5,37"
  local roof="path 'M 40,4 L 68,28 Q 70,31 67,32 L 63,32 L 40,12.5 L 17,32 L 13,32 Q 10,31 12,28 Z'"
  fill_shape "lin 0,4 #ff9c5a 0,32 #d63a18" "$roof"
  gloss "path 'M 40,5.5 L 66,28 L 63,29 L 40,9.5 L 17,29 L 14,28 Z'" 5 29
  line_shape '#7e200c' 1 "$roof"
}

emblem_picture() {
  # a second print behind, tilted, then the framed landscape
  fill_shape "lin 0,8 #ffffff 0,50 #dfe6ee" "translate 40,29 rotate -9 translate -40,-29 roundrectangle 14,10 64,48 2,2"
  line_shape '#8494a8' 1 "translate 40,29 rotate -9 translate -40,-29 roundrectangle 14,10 64,48 2,2"
  fill_shape "lin 0,10 #ffffff 0,52 #e3e9f0" "roundrectangle 13,11 67,52 2,2"
  line_shape '#7a8aa0' 1 "roundrectangle 13.5,11.5 66.5,51.5 2,2"
  fill_shape "lin 0,15 #4fb2ff 0,44 #d9f1ff" "rectangle 17,15 63,45"
  fill_shape "rad 53,23 7 #fff7c0 1" "circle 53,23 53,30"
  fill_shape "lin 0,19 #ffe95a 0,27 #ffb020" "circle 53,23 53,27"
  fill_shape "lin 0,28 #4caa34 0,45 #2a7a20" "path 'M 17,45 L 17,36 Q 26,27 34,35 Q 44,26 63,34 L 63,45 Z'"
  fill_shape "lin 0,34 #9ae05a 0,45 #4aa62a" "path 'M 17,45 L 17,42 Q 30,34 44,40 Q 54,36 63,40 L 63,45 Z'"
  line_shape 'rgba(40,60,90,0.6)' 1 "rectangle 17,15 63,45"
}

emblem_palette() {
  local board="path 'M 40,6 C 58,6 70,16 70,28 C 70,38 63,41 56,38.5 C 50,36.5 45.5,40 48,45 C 50.5,50.5 45,53.5 38,53 C 21,52 10,42 10,29 C 10,15.5 23,6 40,6 Z'"
  fill_shape "lin 0,6 #ffe9c2 0,53 #d89a52" "$board"
  gloss "path 'M 40,8 C 56,8 67,16 68,26 C 56,18 26,16 12,28 C 13,16 25,8 40,8 Z'" 8 26
  line_shape '#8e5a22' 1 "$board"
  fill_shape "lin 0,40 #b57a3a 0,47 #e7b97a" "circle 26,41 26,45"
  line_shape '#8e5a22' 1 "circle 26,41 26,45"
  local c
  for c in "23,23 #ff5a4a #c81e14" "37,15 #ffd84a #e09a00" "52,17 #5edb4a #1e9a1e" "61,28 #4aa0ff #1458d0" "40,31 #c86aff #7a22c8"; do
    local at c1 c2
    read -r at c1 c2 <<<"$c"
    local x=${at%,*} y=${at#*,}
    fill_shape "lin 0,$(calc "$y-5") $c1 0,$(calc "$y+5") $c2" "circle $x,$y $x,$(calc "$y+5")"
    fill_shape 'rgba(255,255,255,0.75)' "ellipse $(calc "$x-1.5"),$(calc "$y-2") 2.2,1.4 0,360"
  done
}

emblem_pointer() {
  # a computer mouse to the lower right, the arrow in front
  local body="roundrectangle 42,24 66,53 12,12"
  fill_shape "lin 0,24 #ffffff 0,53 #b9c6d6" "$body"
  line_shape '#4d6280' 1 "$body line 54,24.5 54,36 line 42.5,36 65.5,36"
  fill_shape "lin 0,27 #7fd0ff 0,35 #1f78d8" "roundrectangle 52.5,27 55.5,34 1.5,1.5"
  gloss "roundrectangle 43.5,25 64.5,35 10,8" 25 35
  local arrow="path 'M 18,5 L 18,45 L 27.5,36 L 34,50.5 L 40.5,47.5 L 34.3,33.5 L 47,33.5 Z'"
  fill_shape "lin 0,5 #ffffff 0,50 #dfe6ef" "$arrow"
  line_shape '#101820' 1.6 "$arrow"
}

emblem_icons() {
  local c
  for c in "14,5 #58b8ff #1262d0" "41,5 #7fe05a #2a9a1e" "14,32 #ffbe4a #e66a10" "41,32 #d08aff #7a2ad0"; do
    local at c1 c2
    read -r at c1 c2 <<<"$c"
    local x=${at%,*} y=${at#*,}
    local sq="roundrectangle $x,$y $((x + 25)),$((y + 21)) 5,5"
    fill_shape "lin 0,$y $c1 0,$((y + 21)) $c2" "$sq"
    fill_shape "lin 0,$y rgba(255,255,255,0.60) 0,$((y + 10)) rgba(255,255,255,0.12)" \
      "roundrectangle $((x + 1)),$((y + 1)) $((x + 24)),$((y + 10)) 4,4"
    line_shape 'rgba(0,30,70,0.55)' 1 "roundrectangle $x.5,$y.5 $((x + 24)).5,$((y + 20)).5 5,5"
  done
  # small white signs on the four tiles: screen, note, star, heart
  fill_shape 'rgba(255,255,255,0.95)' \
    "roundrectangle 20,10 33,19 1,1 rectangle 25,19 28,22 rectangle 22,22 31,23.5"
  fill_shape "lin 0,10 #2a8ae8 0,19 #0d4fb0" "rectangle 21.5,11.5 31.5,17.5"
  fill_shape 'rgba(255,255,255,0.95)' \
    "path 'M 53.5,8.5 L 59,7 L 59,10 L 55.5,11 L 55.5,19 C 55.5,21.5 50,22 50,19.5 C 50,17.5 52.5,16.8 53.5,17.3 Z'"
  fill_shape 'rgba(255,255,255,0.95)' \
    "path 'M 26.5,35 L 28.3,39.8 L 33.3,40 L 29.4,43.1 L 30.8,48 L 26.5,45.2 L 22.2,48 L 23.6,43.1 L 19.7,40 L 24.7,39.8 Z'"
  fill_shape 'rgba(255,255,255,0.95)' \
    "path 'M 53.5,48.5 C 47,44 45.5,41.5 45.5,39.5 C 45.5,36 50.5,35 53.5,38.5 C 56.5,35 61.5,36 61.5,39.5 C 61.5,41.5 60,44 53.5,48.5 Z'"
}

emblem_logon() {
  fill_shape "lin 0,44 #e8edf3 0,53 #9aa8b8" "path 'M 35,43 L 45,43 L 47,49 L 33,49 Z' roundrectangle 24,48 56,53 2.5,2.5"
  line_shape '#5f6e80' 1 "path 'M 35,43 L 45,43 L 47,48.5 L 33,48.5 Z' roundrectangle 24.5,48.5 55.5,52.5 2.5,2.5"
  fill_shape "lin 0,5 #6e7a88 0,45 #242a32" "roundrectangle 10,5 70,45 4,4"
  line_shape '#1a1e24' 1 "roundrectangle 10.5,5.5 69.5,44.5 4,4"
  fill_shape "lin 0,9 #5cc0ff 0,41 #0f4fb4" "rectangle 14,9 66,41"
  fill_shape "rad 40,34 26 #9be0ff 0.55" "rectangle 14,9 66,41"
  fill_shape 'rgba(255,255,255,0.95)' "circle 40,18.5 40,24"
  fill_shape 'rgba(255,255,255,0.95)' "path 'M 30,35.5 C 30,28.5 34,25.5 40,25.5 C 46,25.5 50,28.5 50,35.5 Z'"
  fill_shape 'rgba(255,255,255,0.85)' "roundrectangle 31,37 49,39.5 1.2,1.2"
  fill_shape "lin 0,9 rgba(255,255,255,0.40) 0,26 rgba(255,255,255,0.04)" "path 'M 14,9 L 66,9 L 66,16 C 50,22 30,26 14,27 Z'"
}

emblem_folder() {
  local back="path 'M 11,14 Q 11,10 15,10 L 29,10 Q 31,10 32.5,12 L 34.5,15 L 65,15 Q 69,15 69,19 L 69,48 Q 69,52 65,52 L 15,52 Q 11,52 11,48 Z'"
  fill_shape "lin 0,10 #f5c24a 0,52 #c98210" "$back"
  line_shape '#8a5a08' 1 "$back"
  fill_shape "lin 0,17 #ffffff 0,40 #e8eef5" "translate 40,30 rotate -4 translate -40,-30 rectangle 18,17 60,44"
  line_shape '#9aa8b8' 1 "translate 40,30 rotate -4 translate -40,-30 rectangle 18,17 60,44 line 23,23 55,23 line 23,28 55,28"
  fill_shape "lin 0,19 #ffffff 0,44 #edf2f7" "translate 40,30 rotate 3 translate -40,-30 rectangle 20,19 62,46"
  line_shape '#9aa8b8' 1 "translate 40,30 rotate 3 translate -40,-30 rectangle 20,19 62,46 line 25,25 57,25 line 25,30 50,30"
  local front="path 'M 9,28 Q 9,24 13,24 L 67,24 Q 71,24 70.5,28 L 69,48 Q 68.6,52 65,52 L 15,52 Q 11.4,52 11,48 Z'"
  fill_shape "lin 0,24 #ffe07a 0,52 #f0a020" "$front"
  gloss "path 'M 11,28 Q 11,26 13,26 L 67,26 Q 69,26 68.8,28 L 68.4,35 C 50,33 30,34 10.6,37 Z'" 26 37
  line_shape '#9a6406' 1 "$front"
}

# tab OUT CAPTION EMBLEM_FUNCTION
make_tab() {
  local dst=$1 caption=$2 emblem=$3 t=$tmp/tab
  local CANVAS_W=$TAB_W CANVAS_H=$TAB_H
  LAYERS=()
  $emblem
  stack "$t-big" "${LAYERS[@]}"
  shrink "$t-big" "$t-emblem"
  with_shadow "$t-emblem" "$t-emblem2" 1.6 0 2 0.55 '#00163a'
  im -size ${TAB_W}x${TAB_H} xc:none -font "$FONT_BOLD" -pointsize 13 -fill white \
     -gravity north -annotate +0+58 "$caption" "MIFF:$t-text"
  with_shadow "$t-text" "$t-text2" 1 0 1 0.85 '#002050'
  stack "$t-all" "$t-emblem2" "$t-text2"
  write_png "$t-all" "$dst"
}

# make_tab_strip DIR OUT: the seven tabs and the two markers of DIR side by side, tops aligned.
make_tab_strip() {
  local dir=$1
  im -background none "$dir"/XuanXiang{0,1,2,3,4,5,6}.png "$dir/HuaKuang.png" "$dir/HuaKuangXD.png" \
     -gravity north +append "MIFF:$tmp/strip"
  write_png "$tmp/strip" "$2"
}

make_tabs() {
  local dir=$1
  make_tab "$dir/XuanXiang0.png" "首页" emblem_home
  make_tab "$dir/XuanXiang1.png" "壁纸" emblem_picture
  make_tab "$dir/XuanXiang2.png" "主题" emblem_palette
  make_tab "$dir/XuanXiang3.png" "鼠标指针" emblem_pointer
  make_tab "$dir/XuanXiang4.png" "系统图标" emblem_icons
  make_tab "$dir/XuanXiang5.png" "启动界面" emblem_logon
  make_tab "$dir/XuanXiang6.png" "资源管理" emblem_folder
}

# marker OUT FILL_TOP FILL_BOTTOM EDGE INNER: a rounded translucent plate.
make_marker() {
  local dst=$1 t=$tmp/marker w=90 h=95
  paint "$t-body" $w $h "lin 0,0 $2 0,$h $3" "roundrectangle 0.5,0.5 89.5,94.5 7,7"
  paint "$t-shine" $w $h "lin 0,1 rgba(255,255,255,0.22) 0,40 rgba(255,255,255,0)" "roundrectangle 1.5,1.5 88.5,40 6,6"
  stroke "$t-inner" $w $h "$5" 1 "roundrectangle 1.5,1.5 88.5,93.5 6,6"
  stroke "$t-edge" $w $h "$4" 1 "roundrectangle 0.5,0.5 89.5,94.5 7,7"
  stack "$t-big" "$t-body" "$t-shine" "$t-inner" "$t-edge"
  shrink "$t-big" "$t-all"
  write_png "$t-all" "$dst"
}

make_markers() {
  local dir=$1
  make_marker "$dir/HuaKuang.png" 'rgba(255,255,255,0.22)' 'rgba(255,255,255,0.06)' \
    'rgba(255,255,255,0.45)' 'rgba(255,255,255,0.10)'
  make_marker "$dir/HuaKuangXD.png" 'rgba(255,255,255,0.40)' 'rgba(255,255,255,0.16)' \
    'rgba(255,255,255,0.85)' 'rgba(0,40,100,0.25)'
}
