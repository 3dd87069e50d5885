# The session layer's packet records, seeded with a query, a game message and
# the still-in question and its answer.
fuzz_build fuzz_net_packet Sources/platform/plat_net_packet.cpp
max_len=4200
{ printf 'QVNP\x01\x01'; le16 24; head -c 16 /dev/zero; le32 7; le32 2; } > "$corpus/query"
{ printf 'QVNP\x01\x11'; le16 13; le32 3; le32 0; le16 3; printf '\x06\x01\x02'; } > "$corpus/game"
{ printf 'QVNP\x01\x05'; le16 20; head -c 16 /dev/zero; le32 2; } > "$corpus/still-in"
{ printf 'QVNP\x01\x06'; le16 20; head -c 16 /dev/zero; le32 2; } > "$corpus/not-in-session"
