# shellcheck shell=bash disable=SC2154,SC2034
# (tmp comes from the sourcing script; S and CANVAS_* are read by the
# helpers called from here, through bash's dynamic scoping.)
# Shared helpers of the artwork scripts (sourced, not run).
# Drawing coordinates are given in final pixels; shapes are painted on a
# canvas S times larger and scaled down, which gives clean anti-aliasing.

S=4
FONT_BOLD=Noto-Sans-CJK-SC-Bold
FONT_REGULAR=Noto-Sans-CJK-SC

# Some machines ship a "convert" that is not ImageMagick; accept only one
# that really computes pixels: ImageMagick 7's magick, or ImageMagick 6's
# convert in /usr/bin.
find_imagemagick() {
  local c
  for c in magick /usr/bin/convert; do
    command -v "$c" >/dev/null 2>&1 || continue
    "$c" -version 2>/dev/null | grep -c '^Version: ImageMagick' >/dev/null || continue
    if [ "$("$c" -size 3x2 xc:'#ff8000' -format '%w %h %[fx:int(255*p{1,1}.g+0.5)]' info: 2>/dev/null)" = "3 2 128" ]; then
      IM=$c
      return 0
    fi
  done
  echo "error: the real ImageMagick is missing (no working 'magick', no ImageMagick /usr/bin/convert)." >&2
  echo "       Install it with: apt-get install imagemagick fonts-noto-cjk" >&2
  exit 1
}

find_font() {
  # grep reads the whole list: with -q it could stop early and break the pipe.
  if ! "$IM" -list font 2>/dev/null | grep -c "Font: $FONT_BOLD\$" >/dev/null; then
    echo "error: font $FONT_BOLD is missing. Install it with: apt-get install fonts-noto-cjk" >&2
    exit 1
  fi
}

find_imagemagick
find_font
# One thread keeps the arithmetic order, hence the bytes, the same on every run.
export MAGICK_THREAD_LIMIT=1
export MAGICK_TIME_LIMIT=600

im() { "$IM" "$@"; }

# Floating-point helper: calc 'expression'.
calc() { awk "BEGIN { printf \"%.3f\", $1 }"; }

# Multiplies every number in "x1,y1 c1 x2,y2 c2" style point lists by S.
scale_points() {
  local p pts=()
  for p in $1; do
    if [[ $p =~ ^-?[0-9.]+,-?[0-9.]+$ ]]; then
      pts+=("$(calc "${p%,*}*$S"),$(calc "${p#*,}*$S")")
    else
      pts+=("$p")
    fi
  done
  echo "${pts[*]}"
}

# paint OUT W H FILL MVG
#   Paints the MVG shapes (final-pixel coordinates) on a transparent
#   (W*S)x(H*S) canvas. FILL is a colour, "lin X1,Y1 C1 X2,Y2 C2" (linear
#   between the two points) or "rad CX,CY R COLOUR PEAK" (radial glow of that colour,
#   alpha PEAK at the centre).
paint() {
  local outf=$1 w=$(($2 * S)) h=$(($3 * S)) fill=$4 mvg=$5
  local src
  case $fill in
    lin\ *)
      src=(-size "${w}x${h}" xc:none -channel RGBA -sparse-color barycentric "$(scale_points "${fill#lin }")" +channel) ;;
    rad\ *)
      # Smoothstep fall-off, so the glow has no visible rim.
      local a
      read -r -a a <<<"${fill#rad }"
      local cx=${a[0]%,*} cy=${a[0]#*,} r=${a[1]} d
      d=$(calc "2*$r*$S")
      d=${d%.*}
      # shellcheck disable=SC2054
      src=(-size "${w}x${h}" xc:none
           \( -size "${d}x${d}" "radial-gradient:${a[2]}-none" -channel A -function polynomial -2,3,0,0
              -evaluate multiply "${a[3]}" +channel \)
           -geometry "$(printf '%+d%+d' "$(calc "($cx-$r)*$S" | cut -d. -f1)" "$(calc "($cy-$r)*$S" | cut -d. -f1)")"
           -compose Over -composite) ;;
    *)
      src=(-size "${w}x${h}" "xc:$fill" -alpha set) ;;
  esac
  im "${src[@]}" \
     \( -size "${w}x${h}" xc:none -fill white -stroke none -draw "scale $S,$S $mvg" \) \
     -compose DstIn -composite -compose Over "MIFF:$outf"
}

# stroke OUT W H COLOUR WIDTH MVG: outlines (no fill) on a supersampled canvas;
# WIDTH is in final pixels (the MVG scale applies to it).
stroke() {
  local outf=$1 w=$(($2 * S)) h=$(($3 * S))
  im -size "${w}x${h}" xc:none -fill none -stroke "$4" -strokewidth "$5" \
     -draw "scale $S,$S $6" "MIFF:$outf"
}

# stack OUT LAYER... : layers of the same size, first at the bottom.
stack() {
  local outf=$1
  shift
  im -background none "$@" -compose Over -layers flatten "MIFF:$outf"
}

# shrink IN OUT: supersampled canvas back to final pixels.
shrink() {
  im "$1" -filter Box -resize "$(calc "100/$S")%" "MIFF:$2"
}

# shadow_of IN OUT SIGMA DX DY OPACITY [COLOUR]: a soft shadow of IN's shape,
# same canvas size, offset by DX,DY (all in the image's own pixels).
shadow_of() {
  local colour=${7:-black}
  local geo
  geo=$(im "$1" -format '%wx%h' info:)
  im -size "$geo" xc:none \
     \( "$1" -alpha extract -virtual-pixel black -blur "0x$3" -evaluate multiply "$6" \
        -background "$colour" -alpha shape -repage "$(printf '%+d%+d' "$4" "$5")" \) \
     -background none -compose Over -layers flatten "MIFF:$2"
}

# with_shadow IN OUT SIGMA DX DY OPACITY [COLOUR]: IN over its own shadow.
with_shadow() {
  shadow_of "$1" "$2.sh" "$3" "$4" "$5" "$6" "${7:-black}"
  stack "$2" "$2.sh" "$1"
}

# Deterministic writers: no time stamps, no profiles; the PNGs carry no
# ancillary chunks at all (no gamma for old loaders to misapply), the JPEGs
# are baseline (old picture loaders cannot read progressive ones).
# The PNGs' rows are then all put under the "up" filter, which the program undoes
# quickest at start-up (the pixels stay the same).
write_png() {
  im "$1" +repage -strip -define png:exclude-chunk=all -define png:color-type=6 -depth 8 "PNG32:$2"
  python3 "$(dirname "${BASH_SOURCE[0]}")/png-up-filter.py" "$2"
}
write_jpg() { im "$1" +repage -strip -alpha off -sampling-factor 1x1 -interlace none -quality 90 -depth 8 "JPG:$2"; }

# vgrad OUT W H "Y:#RRGGBB ..." : vertical gradient through colour stops
# (rows between two stops are blended smoothly), stops sorted by Y.
vgrad() {
  local outf=$1 w=$2 h=$3 stops=$4
  awk -v h="$h" -v stops="$stops" '
    function hex(s) { return index("0123456789abcdef", tolower(s)) - 1 }
    function comp(c, i) { return hex(substr(c, i, 1)) * 16 + hex(substr(c, i + 1, 1)) }
    BEGIN {
      n = split(stops, st, " ")
      for (i = 1; i <= n; i++) {
        split(st[i], kv, ":"); y[i] = kv[1] + 0
        r[i] = comp(kv[2], 2); g[i] = comp(kv[2], 4); b[i] = comp(kv[2], 6)
      }
      printf "P3\n1 %d\n65535\n", h
      for (row = 0; row < h; row++) {
        k = 1
        while (k < n && row > y[k + 1]) k++
        if (row <= y[1]) { t = 0; k = 1 } else if (k >= n) { t = 0; k = n }
        else { t = (row - y[k]) / (y[k + 1] - y[k]); t = t * t * (3 - 2 * t) }
        k2 = (k < n) ? k + 1 : k
        printf "%d %d %d\n", (r[k] + (r[k2] - r[k]) * t) * 257, (g[k] + (g[k2] - g[k]) * t) * 257, (b[k] + (b[k2] - b[k]) * t) * 257
      }
    }' | im PPM:- -depth 16 -scale "${w}x${h}!" "MIFF:$outf"
}

# Layers of the drawing being built on a CANVAS_W x CANVAS_H canvas, bottom first.
LAYERS=()
layer_no=0

# fill_shape FILL MVG / line_shape COLOUR WIDTH MVG: one more layer.
fill_shape() {
  layer_no=$((layer_no + 1))
  paint "$tmp/layer$layer_no" "$CANVAS_W" "$CANVAS_H" "$1" "$2"
  LAYERS+=("$tmp/layer$layer_no")
}
line_shape() {
  layer_no=$((layer_no + 1))
  stroke "$tmp/layer$layer_no" "$CANVAS_W" "$CANVAS_H" "$1" "$2" "stroke-linejoin round stroke-linecap round $3"
  LAYERS+=("$tmp/layer$layer_no")
}

# gloss MVG Y0 Y1: a glossy highlight over the upper part of a shape.
gloss() {
  fill_shape "lin 0,$2 rgba(255,255,255,0.55) 0,$3 rgba(255,255,255,0.05)" "$1"
}
