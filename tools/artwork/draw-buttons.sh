# shellcheck shell=bash disable=SC2154,SC2034
# (tmp comes from the sourcing script; S and CANVAS_* are read by the
# helpers called from here, through bash's dynamic scoping.)
# Close and minimise buttons, three states each (sourced by make-artwork.sh).
# The buttons hang from the window's top edge (top -1 px), so their plates
# are rounded at the bottom only; the top corners lie above the picture.

# glyph_layer OUT W H MVG DY: a white glyph with a soft dark shadow, moved
# down by DY pixels (the pressed look).
glyph_layer() {
  local outf=$1 w=$2 h=$3 mvg=$4 dy=${5:-0}
  stroke "$outf.big" "$w" "$h" white 2 "stroke-linecap round translate 0,$dy $mvg"
  shrink "$outf.big" "$outf.g"
  shadow_of "$outf.g" "$outf.sh" 1.2 0 1 0.75 '#001a40'
  stack "$outf" "$outf.sh" "$outf.g"
}

# plate OUT W H TOP BOTTOM BORDER GLOSS: the rounded glass plate of a
# hovered or pressed button.
plate() {
  local outf=$1 w=$2 h=$3 top=$4 bottom=$5 border=$6 gloss=$7
  local shape
  shape="roundrectangle 0.5,-6 $(calc "$w-0.5"),$(calc "$h-0.5") 5,5"
  paint "$outf.body" "$w" "$h" "lin 0,0 $top 0,$h $bottom" "$shape"
  paint "$outf.gloss" "$w" "$h" "lin 0,0 rgba(255,255,255,$gloss) 0,11 rgba(255,255,255,$(calc "$gloss*0.35"))" \
    "roundrectangle 1.5,-6 $(calc "$w-1.5"),11 4,4"
  stroke "$outf.inner" "$w" "$h" "rgba(255,255,255,0.30)" 1 \
    "roundrectangle 1.5,-6 $(calc "$w-1.5"),$(calc "$h-1.5") 4,4"
  stroke "$outf.edge" "$w" "$h" "$border" 1 "$shape"
  stack "$outf.big" "$outf.body" "$outf.gloss" "$outf.inner" "$outf.edge"
  shrink "$outf.big" "$outf"
}

# button_set DIR NAME W GLYPH_MVG "HOVER_PLATE" "PRESSED_PLATE": NAME1..3.png,
# each plate given as "TOP BOTTOM BORDER GLOSS".
button_set() {
  local dir=$1 name=$2 w=$3 glyph=$4 t=$tmp/btn-$2
  local -a hover pressed
  read -r -a hover <<<"$5"
  read -r -a pressed <<<"$6"
  glyph_layer "$t-g" "$w" 22 "$glyph" 0
  glyph_layer "$t-gp" "$w" 22 "$glyph" 1
  write_png "$t-g" "$dir/${name}1.png"
  plate "$t-hover" "$w" 22 "${hover[@]}"
  stack "$t-2" "$t-hover" "$t-g"
  write_png "$t-2" "$dir/${name}2.png"
  plate "$t-pressed" "$w" 22 "${pressed[@]}"
  stack "$t-3" "$t-pressed" "$t-gp"
  write_png "$t-3" "$dir/${name}3.png"
}

make_buttons() {
  local dir=$1
  button_set "$dir" Close 42 "line 17,7 25,15 line 25,7 17,15" \
    "#f0705f #c21f12 rgba(110,10,4,0.85) 0.45" \
    "#b52a1d #7d120a rgba(70,4,0,0.9) 0.18"
  button_set "$dir" Minimization 28 "line 9.5,13 18.5,13" \
    "rgba(255,255,255,0.30) rgba(255,255,255,0.10) rgba(255,255,255,0.55) 0.25" \
    "rgba(0,20,60,0.30) rgba(0,20,60,0.18) rgba(255,255,255,0.35) 0.08"
}
