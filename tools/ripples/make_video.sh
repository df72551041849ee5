#!/bin/sh
# Remakes content/flv/ripples.flv, the ripple-tank film of RIPPLE.HTM:
# renders 150 frames (6 s at 25 frames per second, twelve wave periods, so
# the film loops without a jump) and encodes them as VP8 in a WebM file.
# The page links to "ripples.flv"; the player finds the real type from the
# content. WebM/VP8 is decoded by gstreamer1.0-plugins-good, which
# scripts/setup.sh installs, and by Qt's FFmpeg backend as well.
#
# Needs, for authoring only: cmake, Qt 6 (Gui) and gst-launch-1.0
# (apt-get install gstreamer1.0-tools).
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cmake -S "$here" -B "$work/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/build" >/dev/null
"$work/build/ripple_frames" "$work/frames" 150 25

gst-launch-1.0 -q \
  multifilesrc location="$work/frames/frame%03d.png" index=0 caps="image/png,framerate=25/1" \
  ! pngdec ! videoconvert ! video/x-raw,format=I420 \
  ! vp8enc target-bitrate=2000000 keyframe-max-dist=50 deadline=0 threads=2 \
  ! webmmux ! filesink location="$root/content/flv/ripples.flv"
ls -l "$root/content/flv/ripples.flv"
