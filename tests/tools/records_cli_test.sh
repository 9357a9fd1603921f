#!/usr/bin/env bash
# Drives quindo-records through put, show, list and remove in a temporary
# data directory. Usage: records_cli_test.sh PATH-TO-quindo-records
set -euo pipefail
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/Profiles"
fail() { echo "FAIL: $*" >&2; exit 1; }
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
status=0
run profile remove 42 2>"$dir/err" || status=$?
((status == 1)) && grep -q " Err:File not found" "$dir/err" || fail "second remove exited $status"
status=0
run profile show 42 >/dev/null 2>"$dir/err" || status=$?
((status == 1)) && grep -q "^no profile file 42 " "$dir/err" || fail "show of a removed profile exited $status: $(cat "$dir/err")"

echo "quindo-records: all checks passed"
