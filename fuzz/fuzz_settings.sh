# The settings file: any bytes as Config\config.cfg, then one race frame of
# two players reading every binding; seeded with the sample folder's factory
# settings (zeros before a build made them).
fuzz_build fuzz_settings \
  Sources/frontend/{settings,frontend_state,control_names,player_files}.cpp Sources/race/{race_frame,race_state}.cpp \
  Sources/frame/frame_state.cpp Sources/render/render_state.cpp Sources/track/track_state.cpp \
  Sources/sound/sound_state.cpp Sources/net/net_state.cpp
max_len=10000
if [ -f build/game/Config/config.cfg ]; then
  cp build/game/Config/config.cfg "$corpus/sample"
else
  head -c 9484 /dev/zero > "$corpus/sample"
fi
