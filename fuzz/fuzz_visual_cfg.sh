# The display options file: any bytes as CONFIG\visual.cfg; seeded with the
# sample folder's file (a default one before a build made it).
fuzz_build fuzz_visual_cfg Sources/frontend/{visual_settings,frontend_state}.cpp
max_len=128
if [ -f build/game/Config/visual.cfg ]; then
  cp build/game/Config/visual.cfg "$corpus/sample"
else
  printf '\x00\x01\x01\x01\x01\x02\x03\x03\x00\x01' > "$corpus/sample"
  head -c 38 /dev/zero >> "$corpus/sample"
fi
