# The game-message dispatch: four bytes of session set-up, then one message.
fuzz_build fuzz_net_dispatch \
  Sources/net/lobby.cpp Sources/net/net_messages.cpp Sources/net/net_state.cpp Sources/net/net_texts.cpp \
  Sources/net/net_wire.cpp Sources/net/race_sync.cpp Sources/net/remote_cars.cpp Sources/net/session.cpp \
  Sources/race/race_state.cpp Sources/frame/frame_state.cpp Sources/frame/sim_lock.cpp \
  Sources/platform/plat_net.cpp Sources/platform/plat_net_addr.cpp Sources/platform/plat_net_packet.cpp \
  Sources/platform/plat_thread.cpp $(pkg-config --cflags --libs libenet)
max_len=2200
{ printf '\x03\x01\x03\x01'; printf '\x03'; le32 1; le32 5; le32 2; } > "$corpus/car-choice"
{ printf '\x03\x00\x13\x00'; printf '\x04'; head -c 60 /dev/zero; } > "$corpus/car-states"
{ printf '\x03\x02\x03\x01'; printf '\x06'; le32 1; le32 4; } > "$corpus/pause"
{ printf '\x03\x02\x03\x03'; printf '\x01hello\x00'; } > "$corpus/chat"
{ printf '\x03\x02\x13\x01'; printf '\x02'; le32 1; } > "$corpus/assign-index"
{ printf '\x03\x02\x13\x01'; printf '\x06'; le32 1; le32 7; } > "$corpus/race-over"
{ printf '\x03\x02\x03\x01'; le32 49; le32 1; } > "$corpus/session-lost-dropped"
