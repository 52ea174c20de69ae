# Reads a plain PGM (P2) of a text area and prints "tiles N hollow M": the
# text's glyph tiles (ink split by blank rows into lines, and within a line by
# blank columns) and how many of them are hollow rectangles, the picture a
# font draws for a character it lacks. Ink is any pixel clearly darker than
# the top-left one, the background; edges may be anti-aliased over two pixels.
# Used by cases/message_boxes.sh.
NR == 1 { next }
/^#/ { next }
!size { width = $1; height = $2; size = 1; next }
!maxval { maxval = $1; next }
{ for (i = 1; i <= NF; ++i) cells[n++] = $i }
END {
  for (r = 0; r < height; ++r) for (c = 0; c < width; ++c) {
    ink[r, c] = cells[r * width + c] < cells[0] - maxval / 16
  }
  tiles = 0; hollow = 0; r = 0
  while (r < height) {
    if (!any_ink(r, r, 0, width - 1)) { ++r; continue }
    top = r; while (r < height && any_ink(r, r, 0, width - 1)) ++r; bottom = r - 1
    c = 0
    while (c < width) {
      if (!any_ink(top, bottom, c, c)) { ++c; continue }
      left = c; while (c < width && any_ink(top, bottom, c, c)) ++c; right = c - 1
      t = top; while (!any_ink(t, t, left, right)) ++t
      b = bottom; while (!any_ink(b, b, left, right)) --b
      ++tiles
      if (is_hollow(t, b, left, right)) ++hollow
    }
  }
  printf "tiles %d hollow %d\n", tiles, hollow
}
function any_ink(r0, r1, c0, c1,   r, c) {
  for (r = r0; r <= r1; ++r) for (c = c0; c <= c1; ++c) if (ink[r, c]) return 1
  return 0
}
# A rectangle's outline: ink all along its four edges, nothing inside.
function is_hollow(t, b, l, rt,   r, c) {
  if (b - t < 6 || rt - l < 3) return 0
  for (r = t; r <= b; ++r) if (!any_ink(r, r, l, l + 1) || !any_ink(r, r, rt - 1, rt)) return 0
  for (c = l; c <= rt; ++c) if (!any_ink(t, t + 1, c, c) || !any_ink(b - 1, b, c, c)) return 0
  return !any_ink(t + 2, b - 2, l + 2, rt - 2)
}
