# The fly-by sets: any bytes as CONFIG\Present.cfg, then every track code's
# fly-by flown; seeded with the sample folder's sets (zeros before a build
# made them).
fuzz_build fuzz_present \
  Sources/race/{presentation,race_state}.cpp Sources/frame/{frame_state,sim_lock}.cpp Sources/frontend/frontend_state.cpp \
  Sources/frontend/{records,settings,control_names,player_files}.cpp Sources/platform/plat_localtime.cpp \
  Sources/render/render_state.cpp Sources/track/track_state.cpp Sources/sound/sound_state.cpp \
  Sources/net/net_state.cpp
max_len=40000
if [ -f build/game/Config/Present.cfg ]; then
  cp build/game/Config/Present.cfg "$corpus/sample"
else
  head -c 38552 /dev/zero > "$corpus/sample"
fi
