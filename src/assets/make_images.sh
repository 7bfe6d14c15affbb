#!/bin/sh
# Draws the application's images from the SVG below and writes them next to this script.
# Run by hand after changing a drawing (needs ImageMagick with SVG support and the DejaVu fonts);
# the PNG, GIF and ICO files it writes are committed. The icon font is built separately, at build time.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

render() { # svg-file size out
    convert -background none -density 384 "$1" -resize "$2x$2" "$3"
}

# The logo: a blue tile with a white speech bubble holding two overlapping letters.
logo_svg() { # tile-colour bubble-colour letter-colour
    cat <<SVG
<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <rect x="2" y="2" width="60" height="60" rx="14" fill="$1"/>
  <path d="M14 16 h36 a5 5 0 0 1 5 5 v20 a5 5 0 0 1 -5 5 h-18 l-10 9 v-9 h-8 a5 5 0 0 1 -5 -5 v-20 a5 5 0 0 1 5 -5 z" fill="$2"/>
  <text x="32" y="40" font-family="DejaVu Sans" font-weight="bold" font-size="22" fill="$3" text-anchor="middle">P</text>
</svg>
SVG
}
logo_svg "#0052d9" "#ffffff" "#0052d9" > "$tmp/logo.svg"
logo_svg "#333333" "#ffffff" "#333333" > "$tmp/logo_bw.svg"

for s in 16 24 32 48 64 128 256; do render "$tmp/logo.svg" $s "$tmp/logo_$s.png"; done
convert "$tmp"/logo_16.png "$tmp"/logo_24.png "$tmp"/logo_32.png "$tmp"/logo_48.png \
        "$tmp"/logo_64.png "$tmp"/logo_128.png "$tmp"/logo_256.png "$here/winLogo.ico"
render "$tmp/logo.svg" 64 "$here/barIcon.png"
render "$tmp/logo.svg" 20 "$here/barIconMini.png"

# Title-bar images: the logo and the name, in colour and in black and white.
wordmark_svg() { # logo-file text-colour
    cat <<SVG
<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="240" height="64" viewBox="0 0 240 64">
  <image x="0" y="0" width="64" height="64" xlink:href="$1"/>
  <text x="76" y="43" font-family="DejaVu Sans" font-weight="bold" font-size="30" fill="$2">Parlavine</text>
</svg>
SVG
}
render "$tmp/logo.svg" 64 "$tmp/logo64.png"
render "$tmp/logo_bw.svg" 64 "$tmp/logo64_bw.png"
wordmark_svg "$tmp/logo64.png" "#0052d9" > "$tmp/title.svg"
wordmark_svg "$tmp/logo64_bw.png" "#333333" > "$tmp/title_bw.svg"
convert -background none "$tmp/title.svg" "$here/titlebar.png"
# The dark theme's name in the lighter accent (the blue one is too dim on its background): the
# same picture with the name, right of the logo, recoloured.
convert "$here/titlebar.png" -region 166x64+74+0 -fill "#4d94ff" -colorize 100 "$here/titlebar_dark.png"
convert -background none "$tmp/title_bw.svg" "$here/titlebar_blackwhite.png"

# Dialog type icons: a disc with a white sign.
sign_svg() { # colour sign-path-or-text
    cat <<SVG
<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <circle cx="32" cy="32" r="30" fill="$1"/>
  $2
</svg>
SVG
}
cross='<path d="M22 22 L42 42 M42 22 L22 42" stroke="#fff" stroke-width="6" stroke-linecap="round"/>'
bang='<path d="M32 15 V37" stroke="#fff" stroke-width="6" stroke-linecap="round"/><circle cx="32" cy="47" r="4" fill="#fff"/>'
info='<circle cx="32" cy="17" r="4" fill="#fff"/><path d="M32 28 V49" stroke="#fff" stroke-width="6" stroke-linecap="round"/>'
quest='<path d="M24 24 a8 8 0 1 1 12 7 c-3 2 -4 3 -4 7" fill="none" stroke="#fff" stroke-width="6" stroke-linecap="round"/><circle cx="32" cy="48" r="4" fill="#fff"/>'
sign_svg "#f56c6c" "$cross" > "$tmp/error.svg"
sign_svg "#e6a23c" "$bang" > "$tmp/warning.svg"
sign_svg "#909399" "$info" > "$tmp/info.svg"
sign_svg "#0052d9" "$quest" > "$tmp/question.svg"
for n in error warning info question; do render "$tmp/$n.svg" 64 "$here/$n.png"; done

# The clear button of the text areas: a grey cross in a light disc.
sign_svg "#c0c4cc" "$cross" > "$tmp/close.svg"
render "$tmp/close.svg" 32 "$here/close.png"

# Pointer arrows of the pop-ups (tinted in QML).
cat > "$tmp/up.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="16" viewBox="0 0 32 16"><path d="M0 16 L16 0 L32 16 z" fill="#ffffff"/></svg>
SVG
cat > "$tmp/down.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="16" viewBox="0 0 32 16"><path d="M0 0 L16 16 L32 0 z" fill="#ffffff"/></svg>
SVG
convert -background none "$tmp/up.svg" "$here/triangle-up.png"
convert -background none "$tmp/down.svg" "$here/triangle-down.png"

# Empty-list illustration: an open tray.
cat > "$tmp/empty.svg" <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="128" height="96" viewBox="0 0 128 96">
  <ellipse cx="64" cy="84" rx="52" ry="8" fill="#f0f0f0"/>
  <path d="M24 44 L38 20 H90 L104 44 V74 a4 4 0 0 1 -4 4 H28 a4 4 0 0 1 -4 -4 z" fill="#fafafa" stroke="#d9d9d9" stroke-width="2"/>
  <path d="M24 44 H48 a16 8 0 0 0 32 0 H104" fill="none" stroke="#d9d9d9" stroke-width="2"/>
</svg>
SVG
convert -background none "$tmp/empty.svg" "$here/empty.png"

# Social sign-in buttons: neutral discs with the first letter of the sign-in method.
letter_svg() { # colour letter
    cat <<SVG
<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <circle cx="32" cy="32" r="30" fill="$1"/>
  <text x="32" y="43" font-family="DejaVu Sans" font-weight="bold" font-size="30" fill="#fff" text-anchor="middle">$2</text>
</svg>
SVG
}
letter_svg "#2e7d32" "Z" > "$tmp/zl.svg"; letter_svg "#555555" "Z" > "$tmp/zl_bw.svg"
letter_svg "#1e88e5" "K" > "$tmp/kx.svg"; letter_svg "#555555" "K" > "$tmp/kx_bw.svg"
render "$tmp/zl.svg" 64 "$here/zl.png"; render "$tmp/zl_bw.svg" 64 "$here/zl_blackwhite.png"
render "$tmp/kx.svg" 64 "$here/kx.png"; render "$tmp/kx_bw.svg" 64 "$here/kx_blackwhite.png"

# Busy indicator: twelve frames of a turning arc.
frames=""
for i in 0 1 2 3 4 5 6 7 8 9 10 11; do
    # a quarter arc starting at 30 degrees per frame, end points computed here
    arc=$(awk -v i="$i" 'BEGIN { pi = atan2(0, -1); a = i * pi / 6; b = a + pi / 2;
        printf "M%.2f %.2f A22 22 0 0 1 %.2f %.2f", 32 + 22 * sin(a), 32 - 22 * cos(a), 32 + 22 * sin(b), 32 - 22 * cos(b) }')
    cat > "$tmp/spin$i.svg" <<SVG
<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <circle cx="32" cy="32" r="22" fill="none" stroke="#e0eafa" stroke-width="6"/>
  <path d="$arc" fill="none" stroke="#0052d9" stroke-width="6" stroke-linecap="round"/>
</svg>
SVG
    render "$tmp/spin$i.svg" 64 "$tmp/spin$i.png"
    frames="$frames $tmp/spin$i.png"
done
# shellcheck disable=SC2086
convert -delay 8 -loop 0 -dispose previous $frames "$here/loading.gif"
