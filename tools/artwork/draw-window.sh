# shellcheck shell=bash disable=SC2154,SC2034
# (tmp comes from the sourcing script; S and CANVAS_* are read by the
# helpers called from here, through bash's dynamic scoping.)
# Window background and page-frame background (sourced by make-artwork.sh).
#
# Every window shows Background.jpg from its top-left corner, cropped to its
# own size (230x307 up to 812x514), so everything that matters is anchored at
# the top-left and runs evenly to the right: a calm title band (0-30), the
# glass header behind the main window's tabs (30-130) and a soft body below.

make_background() {
  local dst=$1 w=820 h=560 t=$tmp/bg
  local S=2

  vgrad "$t-base" $w $h "0:#4a92dc 29:#2a70c0 30:#2066b6 70:#1f62b0 118:#2f7dcc 130:#3a89d6 131:#bcd5ee 133:#e6eff9 300:#e9f1f9 560:#dbe7f3"

  # Gloss on the title band, a thin light edge at its top and a faint rule
  # under it.
  paint "$t-gloss" $w $h "lin 0,0 rgba(255,255,255,0.30) 0,30 rgba(255,255,255,0.06)" "rectangle 0,0 $w,30"
  paint "$t-edge" $w $h "rgba(255,255,255,0.35)" "rectangle 0,0 $w,1"
  paint "$t-rule" $w $h "rgba(8,40,90,0.25)" "rectangle 0,30 $w,31"
  paint "$t-rule2" $w $h "rgba(255,255,255,0.10)" "rectangle 0,31 $w,32"

  # Light welling up behind the tabs, stronger on the left where every
  # window shows it.
  paint "$t-glow" $w $h "rad 260,150 330 #aad7ff 0.45" "rectangle 0,31 $w,130"

  # Sweeping glass ribbons across the header.
  paint "$t-band" $w $h "lin 0,0 rgba(255,255,255,0.10) $w,0 rgba(255,255,255,0.03)" \
    "path 'M -10,130 C 180,70 430,128 830,34 L 830,62 C 430,150 200,98 -10,130 Z'"
  stroke "$t-line1" $w $h "rgba(255,255,255,0.22)" 1 "path 'M -10,118 C 200,52 460,122 830,28'"
  stroke "$t-line2" $w $h "rgba(255,255,255,0.12)" 1 "path 'M -10,128 C 230,84 470,140 830,66'"

  # Soft out-of-focus lights on the right, where the tabs leave room.
  paint "$t-bokeh" $w $h "rgba(255,255,255,0.07)" \
    "circle 712,74 712,100 circle 770,108 770,122 circle 660,112 660,121 circle 790,52 790,60 circle 610,60 610,66"
  paint "$t-bokeh2" $w $h "rgba(255,255,255,0.06)" \
    "circle 742,64 742,78 circle 690,118 690,124"

  # A darker line and a bright lip where the header meets the body.
  paint "$t-lip" $w $h "rgba(10,50,110,0.35)" "rectangle 0,130 $w,131"

  # Faint ribbons in the body, seen on the larger dialogs.
  paint "$t-bodyband" $w $h "lin 0,0 rgba(255,255,255,0.0) $w,0 rgba(255,255,255,0.55)" \
    "path 'M -10,520 C 220,430 520,560 830,390 L 830,460 C 520,610 240,490 -10,560 Z'"
  stroke "$t-bodyline" $w $h "rgba(255,255,255,0.65)" 1.2 "path 'M -10,505 C 230,420 520,545 830,372'"
  paint "$t-bodyglow" $w $h "rad 150,150 320 #ffffff 0.6" "rectangle 0,133 $w,$h"

  for l in gloss edge rule rule2 glow band line1 line2 bokeh bokeh2 lip bodyband bodyline bodyglow; do
    shrink "$t-$l" "$t-$l.s"
  done
  stack "$t-all" "$t-base" "$t-bodyglow.s" "$t-bodyband.s" "$t-bodyline.s" "$t-glow.s" "$t-band.s" "$t-line1.s" \
    "$t-line2.s" "$t-bokeh.s" "$t-bokeh2.s" "$t-gloss.s" "$t-edge.s" "$t-rule.s" "$t-rule2.s" "$t-lip.s"
  write_jpg "$t-all" "$dst"
}

make_general() {
  local dst=$1 w=820 h=400 t=$tmp/gen
  local S=2
  vgrad "$t-base" $w $h "0:#c3d6ea 1:#ffffff 2:#fbfdff 160:#f5f9fd 400:#edf3f9"
  paint "$t-glow" $w $h "rad 120,20 300 #ffffff 0.9" "rectangle 0,2 $w,$h"
  paint "$t-band" $w $h "lin 0,0 rgba(214,230,246,0.0) $w,0 rgba(214,230,246,0.55)" \
    "path 'M -10,380 C 260,300 520,400 830,250 L 830,300 C 520,450 260,340 -10,410 Z'"
  shrink "$t-glow" "$t-glow.s"
  shrink "$t-band" "$t-band.s"
  stack "$t-all" "$t-base" "$t-glow.s" "$t-band.s"
  write_jpg "$t-all" "$dst"
}
