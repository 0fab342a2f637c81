# shellcheck shell=bash disable=SC2154,SC2034
# (tmp comes from the sourcing script; S and CANVAS_* are read by the
# helpers called from here, through bash's dynamic scoping.)
# Program icon (sourced by make-artwork.sh): a monitor showing a colourful
# wallpaper, a paint brush leaning on it and a sparkle. Drawn once on a
# 48-unit grid, reduced to each size; the two small sizes leave out the
# brush, which would only blur there.

ICON_SIZES=(16 24 32 48)

# turn X,Y: the point turned by the brush's 38 degrees about 31,31.
turn() {
  awk -v p="$1" 'BEGIN { split(p, a, ","); c = cos(38 * 3.14159265 / 180); s = sin(38 * 3.14159265 / 180)
    x = a[1] - 31; y = a[2] - 31; printf "%.3f,%.3f", 31 + x * c - y * s, 31 + x * s + y * c }'
}

icon_layers() {
  local with_brush=$1
  LAYERS=()
  # stand
  fill_shape "lin 0,34 #f2f5f8 0,44 #8f9cab" "path 'M 19.5,34 L 28.5,34 L 30,40 L 18,40 Z' roundrectangle 12,39 36,44 2,2"
  line_shape '#4f5c6b' 1 "path 'M 19.5,34 L 28.5,34 L 30,39.5 L 18,39.5 Z' roundrectangle 12.5,39.5 35.5,43.5 2,2"
  # bezel
  fill_shape "lin 0,4 #6f7c8c 0,36 #1d232b" "roundrectangle 2,4 46,36 3.5,3.5"
  line_shape '#11151a' 1 "roundrectangle 2.5,4.5 45.5,35.5 3.5,3.5"
  # screen: a wallpaper with two colour ribbons
  fill_shape "lin 0,7 #46c0ff 0,33 #0b46b0" "rectangle 5,7 43,33"
  fill_shape "lin 5,0 #ffc21e 43,0 #ff3d8e" "path 'M 5,27 C 14,18 26,28 43,15 L 43,21 C 27,33 14,24 5,32 Z'"
  fill_shape "lin 5,0 #7cf06a 43,0 #22d0ff" "path 'M 5,32 C 15,25 27,33 43,22 L 43,25.5 C 28,35 16,29 5,33 Z'"
  fill_shape "lin 0,7 rgba(255,255,255,0.55) 0,20 rgba(255,255,255,0.05)" "path 'M 5,7 L 43,7 L 43,12 C 30,16 17,18 5,20 Z'"
  if [ "$with_brush" = yes ]; then
    # the brush reaches from the lower right onto the screen; its shading
    # runs across the turned handle
    local r="translate 31,31 rotate 38 translate -31,-31"
    fill_shape "lin $(turn 43,29) #f0a050 $(turn 43,33) #8a3e10" "$r roundrectangle 34,29 52,33 2,2"
    line_shape '#5a2a08' 0.8 "$r roundrectangle 34,29 52,33 2,2"
    fill_shape "lin $(turn 32,28.5) #ffffff $(turn 32,33.5) #7f8b99" "$r rectangle 29,28.5 34.5,33.5"
    line_shape '#4a5563' 0.8 "$r rectangle 29,28.5 34.5,33.5"
    fill_shape "lin $(turn 25,28.5) #ff8ac0 $(turn 25,33.5) #c81464" "$r path 'M 29,28.5 L 29,33.5 C 25,33.5 21.5,32 19.5,31 C 21.5,30 25,28.5 29,28.5 Z'"
    line_shape '#7a0a3a' 0.8 "$r path 'M 29,28.5 L 29,33.5 C 25,33.5 21.5,32 19.5,31 C 21.5,30 25,28.5 29,28.5 Z'"
  fi
  # sparkle at the upper right
  fill_shape "rad 40,8 8 #fff6b0 0.9" "circle 40,8 40,16"
  fill_shape "#ffffff" "path 'M 40,1 Q 41,7 47,8 Q 41,9 40,15 Q 39,9 33,8 Q 39,7 40,1 Z'"
}

make_icon() {
  local dst=$1 t=$tmp/icon frames=() n
  # 48-unit drawing on a 768-pixel canvas, reduced to each size
  local S=16 CANVAS_W=48 CANVAS_H=48
  for n in "${ICON_SIZES[@]}"; do
    if [ "$n" -ge 32 ]; then icon_layers yes; else icon_layers no; fi
    stack "$t-big" "${LAYERS[@]}"
    im "$t-big" -filter Lanczos -resize "${n}x${n}" -unsharp 0x0.6+0.6+0 "MIFF:$t-$n"
    frames+=("$t-$n")
  done
  # Windows XP reads only BMP-coded icon entries; ImageMagick codes entries
  # below 256 pixels as 32-bit BMP with an AND mask.
  im "${frames[@]}" +repage -strip -depth 8 "ICO:$dst"
}
