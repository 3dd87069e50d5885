# The font width files and the printers that read them, seeded with whole
# tables (every glyph 8 wide, the small font's delivered start) and a text.
fuzz_build fuzz_font_widths Sources/render/text_printer.cpp Sources/render/debug_labels.cpp
max_len=8192
{
  printf '\x11\x40\x01\xf0\x00\x00'                       # settings, x 320, y 240
  for _ in $(seq 1120); do printf '\x08\x00\x00\x00'; done  # 5 x 224 widths
  printf '\x04\x02\x04\x06\x06\x06\x06\x02\x04\x04\x06\x06\x02\x06\x02\x05'
  printf '\x06\x03\x06\x06\x06\x06\x06\x06\x06\x06\x02\x03\x04\x06\x04\x06'
  for _ in $(seq 64); do printf '\x06'; done
  printf 'LAP 1/3 \x1fBEST\x1f 01:02.03 \xe9\xff'
} > "$corpus/whole"
