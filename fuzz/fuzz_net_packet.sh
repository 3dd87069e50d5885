# The session layer's packet records, and the session a packet carries as
# the game lists it and the menus read it; seeded with a query, a game
# message, the still-in question and its answer, and two listing answers:
# one of a session as the game hosts it, one whose words no copy writes.
fuzz_build fuzz_net_packet \
  Sources/frontend/{menu_panels,text_slots,frontend_state,championship,menu_items}.cpp \
  Sources/menulayout/menu_table.cpp Sources/sound/sound_state.cpp Sources/render/render_state.cpp \
  Sources/net/lobby.cpp Sources/net/net_messages.cpp Sources/net/net_state.cpp Sources/net/net_texts.cpp \
  Sources/net/net_wire.cpp Sources/net/race_sync.cpp Sources/net/remote_cars.cpp Sources/net/session.cpp \
  Sources/race/race_state.cpp Sources/frame/frame_state.cpp Sources/frame/sim_lock.cpp \
  Sources/platform/plat_net.cpp Sources/platform/plat_net_addr.cpp Sources/platform/plat_net_packet.cpp \
  Sources/platform/plat_thread.cpp $(pkg-config --cflags --libs libenet)
max_len=4200
{ printf 'QVNP\x01\x01'; le16 24; head -c 16 /dev/zero; le32 7; le32 2; } > "$corpus/query"
{ printf 'QVNP\x01\x11'; le16 13; le32 3; le32 0; le16 3; printf '\x06\x01\x02'; } > "$corpus/game"
{ printf 'QVNP\x01\x05'; le16 20; head -c 16 /dev/zero; le32 2; } > "$corpus/still-in"
{ printf 'QVNP\x01\x06'; le16 20; head -c 16 /dev/zero; le32 2; } > "$corpus/not-in-session"
answer() {   # row players group
  printf 'QVNP\x01\x02'; le16 74; le32 7; le32 40964; head -c 32 /dev/zero; le32 8; le32 1
  le32 "$1"; le32 "$2"; le32 "$3"; le32 10; printf '\x09Race\tHost'
}
answer 3 2 24 > "$corpus/answer"
answer -2000000000 1 2147483647 > "$corpus/answer-of-no-game"
