# The video glue, from memory: open, 30 pictures converted, the sound.  Seeds:
# a bare pack header and the sample folder's videos (when a build made them)
# cut to 16 KB.
fuzz_build fuzz_video Sources/platform/plat_video.cpp \
  $(pkg-config --cflags --libs libavformat libavcodec libswscale libswresample libavutil)
max_len=16384
printf '\x00\x00\x01\xba\x21\x00\x01\x00\x01\x80\x00\x01\x00\x00\x01\xb9' > "$corpus/pack"
for f in build/game/Video/*.mpg; do
  if [ -f "$f" ]; then head -c 16384 "$f" > "$corpus/$(basename "$f")"; fi
done
