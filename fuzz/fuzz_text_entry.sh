# The text editors fed random keys: no write past a slot's room.  Seeded
# with a name typed, accepted and erased, and a chat line.
fuzz_build fuzz_text_entry Sources/frontend/{text_entry,frontend_state,menu_fonts,file_names}.cpp Sources/frame/frame_state.cpp
max_len=4096
printf '\x10\x05\x01A\x01B\x01C\x01\x0d\x01\x08\x02h\x02i\x02\x0d\x03r\x03\x0d\x04\x00\x05\x00' > "$corpus/typed"
