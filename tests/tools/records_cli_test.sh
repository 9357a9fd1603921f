#!/usr/bin/env bash
# Drives quindo-records through put, show, list and remove in a temporary
# data directory. Usage: records_cli_test.sh PATH-TO-quindo-records
set -euo pipefail
tool=$1
source "$(dirname "$0")/cli_test_setup.sh"
mkdir "$dir/Profiles"
run() { "$tool" "$@" --data-dir "$dir"; }

# A new profile draws its identity; a given identity is rewritten as it is.
id=$(echo '{"Name": "Night shift", "Enabled": 0}' | run profile put)
[[ $id =~ ^[0-9]+$ ]] && ((id >= 1 && id <= 9991)) || fail "put printed '$id'"
echo '{"DiskIdentity": 42, "Name": "Day", "States": [1, -2, 3],
       "TimeSchedule": {"UseCalendar": -1, "DayTypes": [{"Periods": [[420, 960], [1000, 1440]]},
         {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},
         {"Active": -1, "Axis": 5}]}}' | run profile put >/dev/null

# show and put are inverses (the time stamp is the time of the save).
first=$(run profile show 42)
grep -q '"Name": "Day"' <<<"$first" || fail "show lost the name"
grep -q '"UseCalendar": -1' <<<"$first" || fail "show lost the schedule"
echo "$first" | run profile put >/dev/null
second=$(run profile show 42)
diff <(grep -v FileDateTimeStamp <<<"$first") <(grep -v FileDateTimeStamp <<<"$second") ||
  fail "show -> put -> show changed the profile"

# list: identity, Enabled, name, by ascending identity.
expected=$(printf '42\t-1\tDay\n%s\t0\tNight shift\n' "$id" | sort -n)
[[ $(run profile list) == "$expected" ]] || fail "list printed: $(run profile list)"

# Bad input is refused with status 2 and nothing stored.
for bad in '{"States": [1, 2]}' '{"Enabled": 32768}' '{"Nmae": "x"}' '{'; do
  status=0
  echo "$bad" | run profile put >/dev/null 2>&1 || status=$?
  ((status == 2)) || fail "put of $bad exited $status"
done
[[ $(run profile list | wc -l) == 2 ]] || fail "bad input stored a profile"

# remove logs the deletion for the partner and reports with the English texts.
run profile remove 42 --redundancy-role 2 2>"$dir/err" || fail "remove failed"
grep -qx "Removed profile 'Day' $dir/Profiles/Profile_0042.dat" "$dir/err" || fail "remove said: $(cat "$dir/err")"
grep -qP '^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\t42\tDay\r$' "$dir/Profiles/DeletedProfiles.dat" ||
  fail "log holds: $(cat -A "$dir/Profiles/DeletedProfiles.dat")"
# Removing what is not there changes nothing: no line for the partner.
status=0
run profile remove 42 --redundancy-role 2 2>"$dir/err" || status=$?
((status == 1)) && grep -qx "no profile file 42 ($dir/Profiles/Profile_0042.dat)" "$dir/err" ||
  fail "second remove exited $status: $(cat "$dir/err")"
[[ $(wc -l <"$dir/Profiles/DeletedProfiles.dat") == 1 ]] || fail "a missing profile was logged as deleted"
status=0
run profile show 42 >/dev/null 2>"$dir/err" || status=$?
((status == 1)) && grep -q "^no profile file 42 " "$dir/err" || fail "show of a removed profile exited $status: $(cat "$dir/err")"

# A text that the code page cannot hold is refused, naming the field and the
# character; --lossy stores the code page's replacement.
status=0
echo '{"Conditions": ["a", "b", "€", "日本語€", "", ""]}' | run profile put >/dev/null 2>"$dir/err" || status=$?
((status == 2)) && grep -q 'Conditions\[3\]: "日"' "$dir/err" || fail "unmappable text exited $status: $(cat "$dir/err")"
[[ $(run profile list | wc -l) == 1 ]] || fail "a refused text was stored"
id=$(echo '{"Name": "日本語€"}' | run profile put --lossy)
grep -q '"Name": "???€"' <<<"$(run profile show "$id")" || fail "--lossy did not store the replacement"

# A version 4 file: --read-only looks without touching, upgrade converts, and
# plain loads still convert by default.
python3 - "$dir/Profiles/Profile_0007.dat" <<'PY'
import struct, sys
text = lambda t: struct.pack("<h", len(t)) + t
record = struct.pack("<hhh", 4, 0, -1) + text(b"Old") + struct.pack("<6h", 1, 2, 3, 0, 0, 3)
record += text(b"") * 8 + struct.pack("<3h", 0, 0, 0) + text(b"") + struct.pack("<2h", 0, 0)
record += text(b"") * 2 + struct.pack("<h", 0) + struct.pack("<64h", *range(64))
schedule = b"".join(struct.pack("<4h", -1 if d < 7 else 0, 0, 0, 0) for d in range(23)) + struct.pack("<h", 0)
open(sys.argv[1], "wb").write(record + schedule)
PY
cp "$dir/Profiles/Profile_0007.dat" "$dir/v4"
grep -q '"OffDutyAlarmBehaviour": 3' <<<"$(run profile show 7 --read-only)" || fail "show --read-only of version 4"
grep -q $'^7\t-1\tOld$' <<<"$(run profile list --read-only)" || fail "list --read-only of version 4"
cmp -s "$dir/v4" "$dir/Profiles/Profile_0007.dat" || fail "--read-only rewrote the version 4 file"
[[ $(run profile upgrade) == $'7\tversion 4 -> 5' ]] || fail "upgrade did not convert"
[[ $(head -c 2 "$dir/Profiles/Profile_0007.dat" | od -An -tx1 | tr -d ' ') == 0500 ]] || fail "not version 5"
[[ -z $(run profile upgrade 7) ]] || fail "upgrade of a current file printed"
status=0; run profile upgrade 8 2>/dev/null || status=$?
((status == 1)) || fail "upgrade of a missing file exited $status"
cp "$dir/v4" "$dir/Profiles/Profile_0007.dat"
grep -q "File converted" <<<"$(run profile show 7 2>&1 >/dev/null)" || fail "show no longer converts by default"
grep -q -- "--read-only" <<<"$("$tool" --help)" || fail "--help does not tell of --read-only"

echo "quindo-records: all checks passed"
