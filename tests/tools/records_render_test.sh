#!/usr/bin/env bash
# quindo-records profile render without a display: the PNG's size follows
# the rows, bars lie where the chart's geometry puts them, and bad usage or a
# missing profile fail with the documented status.
# Usage: records_render_test.sh PATH-TO-quindo-records
set -euo pipefail
tool=$1
source "$(dirname "$0")/cli_test_setup.sh"
mkdir "$dir/Profiles"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

# Monday 07:00-16:00; with the calendar, special day type 3 adds an eighth row.
empty='{}, {}, {}, {}, {}, {}'
echo "{\"DiskIdentity\": 5, \"Name\": \"Week\", \"TimeSchedule\": {\"UseCalendar\": -1, \"DayTypes\": [
  {\"Periods\": [[420, 960]]}, $empty, {}, {}, {\"Active\": -1}, $empty, $empty, {}]}}" |
  "$tool" profile put --data-dir "$dir" >/dev/null

out=$("$tool" profile render 5 --png "$dir/week.png" --data-dir "$dir" 2>&1 >/dev/null)
[[ $out == "$dir/week.png 320x204" ]] || fail "render printed '$out'"
# Pixels: the PNG decoded by Python's zlib (filter bytes handled for the
# rows checked: every row is read in full).
python3 - "$dir/week.png" <<'PY' || fail "pixels"
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n"
pos, idat, width, height, ctype = 8, b"", 0, 0, 0
while pos < len(data):
    length, kind = struct.unpack(">I4s", data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + length]
    if kind == b"IHDR":
        width, height, depth, ctype = struct.unpack(">IIBB", body[:10])
    elif kind == b"IDAT":
        idat += body
    pos += 12 + length
raw = zlib.decompress(idat)
bpp = {2: 3, 6: 4}[ctype]
stride = width * bpp
rows, prev = [], bytearray(stride)
for y in range(height):
    f, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for i in range(stride):
        a = line[i - bpp] if i >= bpp else 0
        b, c = prev[i], prev[i - bpp] if i >= bpp else 0
        if f == 1: line[i] = (line[i] + a) & 255
        elif f == 2: line[i] = (line[i] + b) & 255
        elif f == 3: line[i] = (line[i] + (a + b) // 2) & 255
        elif f == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    rows.append(line); prev = line
px = lambda x, y: tuple(rows[y][x * bpp:x * bpp + 3])
assert (width, height) == (320, 204), (width, height)
assert px(114, 4) == (0, 0, 0) and px(115, 4) == (0, 240, 0) and px(221, 4) == (0, 240, 0), "Monday's bar"
assert px(222, 4) == (0, 0, 0) and px(223, 4) == (220, 220, 220), "bar end"
assert px(100, 29) == (220, 220, 220), "Tuesday is empty"
assert px(18, 186) != (255, 255, 255), "image of special day type 3"
PY

# Bad usage: 2; a profile that is not there: 1, no file written.
status=0; "$tool" profile render 5 --data-dir "$dir" >/dev/null 2>&1 || status=$?
((status == 2)) || fail "render without --png exited $status"
status=0; "$tool" profile render --png "$dir/x.png" --data-dir "$dir" >/dev/null 2>&1 || status=$?
((status == 2)) || fail "render without ID exited $status"
status=0; "$tool" profile render 6 --png "$dir/x.png" --data-dir "$dir" >/dev/null 2>&1 || status=$?
((status == 1)) || fail "render of a missing profile exited $status"
[[ ! -e $dir/x.png ]] || fail "a missing profile wrote a file"
status=0; "$tool" profile render 5 --png "$dir/no/such/dir.png" --data-dir "$dir" >/dev/null 2>&1 || status=$?
((status == 1)) || fail "render to an unwritable path exited $status"
# A full disk: status 1 with the system's message, and the earlier PNG kept.
cp "$dir/week.png" "$dir/before.png"
status=0
(trap '' XFSZ; ulimit -f 1; "$tool" profile render 5 --png "$dir/week.png" --data-dir "$dir" --view-day-types \
  >"$dir/out" 2>"$dir/err") || status=$?
((status == 1)) && grep -q "Disk full" "$dir/err" && [[ ! -s $dir/out ]] || fail "full disk: $status $(cat "$dir/err")"
cmp -s "$dir/week.png" "$dir/before.png" || fail "a failed render changed the PNG"
[[ $(ls -A "$dir" | grep -c tmp) == 0 ]] || fail "a failed render left a temporary"
echo "render ok"
