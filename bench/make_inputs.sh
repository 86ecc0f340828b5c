#!/bin/sh
# Makes the benchmark inputs into the folder given as $1 (by default build/release/bench/inputs
# under the source tree, where the release preset's benchmarks look for them). A file already
# there is kept, so running this again only makes what is missing; each file is made in a
# scratch folder first, so an interrupted run leaves no half-written input behind.
#
# Needs ImageMagick's convert and cjpeg (Debian: imagemagick, libjpeg-turbo-progs). The content
# is plasma fractal noise with fixed seeds: photo-like, and the same on every run.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/release/bench/inputs}
mkdir -p "$out"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# produce NAME COMMAND...: runs COMMAND with the scratch path of NAME as its last argument, then
# moves the result into place.
produce() {
    name=$1
    shift
    if [ -e "$out/$name" ]; then
        echo "kept $out/$name"
        return
    fi
    echo "making $out/$name"
    "$@" "$scratch/$name"
    mv "$scratch/$name" "$out/$name"
}

# 24 megapixels, baseline (sequential) JPEG at quality 90, 2 × 2 chroma subsampling.
large_jpg() {
    convert -seed 1 -size 6000x4000 plasma:fractal -depth 8 "ppm:$scratch/large.ppm"
    cjpeg -quality 90 -outfile "$1" "$scratch/large.ppm"
    rm -f "$scratch/large.ppm"
}

# 4000 × 4000, 24 bits per pixel, 40-byte information header (BMP3), no compression.
large_bmp() {
    convert -seed 2 -size 4000x4000 plasma:fractal -alpha off -depth 8 -type TrueColor "BMP3:$1"
}

# 2000 × 2000, one image, dithered down to 256 colours.
large_gif() {
    convert -seed 3 -size 2000x2000 plasma:fractal -dither FloydSteinberg -colors 256 "GIF:$1"
}

# 500 × 500, 20 full frames of 256 colours each, 5/100 s apart, looping.
animated_gif() {
    frames=""
    i=0
    while [ $i -lt 20 ]; do
        frames="$frames plasma:fractal"
        i=$((i + 1))
    done
    # shellcheck disable=SC2086  # one word per frame
    convert -seed 4 -size 500x500 -delay 5 $frames -dither FloydSteinberg -colors 256 -loop 0 "GIF:$1"
}

# 2000 × 2000, 8 bits per pixel in one plane with the 256-colour table at the end.
large_pcx() {
    convert -seed 5 -size 2000x2000 plasma:fractal -dither FloydSteinberg -colors 256 -type Palette "PCX:$1"
}

produce large.jpg large_jpg
produce large.bmp large_bmp
produce large.gif large_gif
produce animated.gif animated_gif
produce large.pcx large_pcx
