# The car table: any bytes as Config\Motion.dat, then two cars driven for 200
# ticks; seeded with the sample folder's table (zeros before a build made it)
# and a short run of control words.
fuzz_build fuzz_motion_table \
  Sources/race/{race_state,physics,engine,engine_table,drive_model,motion_table}.cpp \
  Sources/sound/{car_sounds,sound_state,sound_mix,effect_sounds}.cpp Sources/track/scene_points.cpp Sources/frame/frame_state.cpp Sources/track/track_state.cpp \
  Sources/render/{geometry,render_state}.cpp Sources/net/net_state.cpp Sources/frontend/frontend_state.cpp
max_len=1400
if [ -f build/game/Config/Motion.dat ]; then
  cp build/game/Config/Motion.dat "$corpus/sample"
else
  head -c 1120 /dev/zero > "$corpus/sample"
fi
{ cat "$corpus/sample"; printf '\x09\x03\x02\x02\x0a\x06\x22\x12\x01\x01\x04\x08'; } > "$corpus/sample-driven"
