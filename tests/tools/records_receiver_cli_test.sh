#!/usr/bin/env bash
# Drives `quindo-records receiver` through put, show, list and remove in a
# temporary data directory. Usage: records_receiver_cli_test.sh PATH-TO-quindo-records
set -euo pipefail
tool=$1
source "$(dirname "$0")/cli_test_setup.sh"
mkdir "$dir/Receivers" "$dir/Types"
cat >"$dir/types.json" <<'JSON'
[{"TypeId": 3, "TypeName": "Pager", "Protocol": "ilmtcp"},
 {"TypeId": 5, "TypeName": "Paging", "Protocol": "T940SI", "TemplateFile": "Types/t940.ini"}]
JSON
printf '[ReceiverTypeSettings]\r\nT11 = "45"\r\n' >"$dir/Types/t940.ini"
run() { "$tool" receiver "$@" --data-dir "$dir" --receiver-types "$dir/types.json"; }

# A new receiver draws its identity; a given identity is rewritten as it is.
id=$(echo '{"ReceiverName": "Night pager", "Enabled": 0, "ReceiverTypeId": 5}' | run put)
[[ $id =~ ^[0-9]+$ ]] && ((id >= 1 && id <= 9991)) || fail "put printed '$id'"
echo '{"DiskIdentity": 42, "ReceiverName": "Desk", "ReceiverTypeId": 3, "BackupReceiver": "Night pager",
       "Settings": [{"Kind": 6, "Value": -12.3456}, {"Kind": 8, "Value": "30"},
                    {"Kind": 7, "Value": 45000.5}, {"Kind": 4, "Value": 0.1}]}' | run put >/dev/null

# show and put are inverses; the derived fields come from the type table.
first=$(run show 42)
grep -q '"ReceiverTypeName": "Pager"' <<<"$first" || fail "show lost the type: $first"
grep -q '"KeepAliveInterval": 30' <<<"$first" || fail "no keep-alive from setting 1: $first"
grep -q '"Value": -12.3456' <<<"$first" || fail "currency changed: $first"
grep -q '"Value": 0.1$' <<<"$first" || fail "single shown with noise: $first"
echo "$first" | run put >/dev/null
second=$(run show 42)
diff <(grep -v FileDateTimeStamp <<<"$first") <(grep -v FileDateTimeStamp <<<"$second") ||
  fail "show -> put -> show changed the receiver"
run show "$id" | grep -q '"KeepAliveInterval": 45' || fail "T940SI interval not read from its file"

# list: identity, Enabled, name, by ascending identity.
expected=$(printf '42\t-1\tDesk\n%s\t0\tNight pager\n' "$id" | sort -n)
[[ $(run list) == "$expected" ]] || fail "list printed: $(run list)"

# Bad input is refused with status 2 and nothing stored.
for bad in '{"Settings": [{"Kind": 2, "Value": 1}]}' '{"Enabled": 32768}' '{"ReceiverNmae": "x"}' '{' \
    '{"Settings": [{"Kind": 9, "Value": 1}, {"Kind": 0}, {"Kind": 0}, {"Kind": 0}]}' \
    '{"Settings": [{"Kind": 2, "Value": 40000}, {"Kind": 0}, {"Kind": 0}, {"Kind": 0}]}' \
    '{"Settings": [{"Kind": 11, "Value": 1}, {"Kind": 0}, {"Kind": 0}, {"Kind": 0}]}' \
    '{"Settings": [{"Kind": 0, "Value": 1}, {"Kind": 0}, {"Kind": 0}, {"Kind": 0}]}' \
    '{"Settings": [{"Kind": 17, "Value": 256}, {"Kind": 0}, {"Kind": 0}, {"Kind": 0}]}' \
    '{"DiskIdentity": -2}' '{"DiskIdentity": 10000}'; do
  status=0
  echo "$bad" | run put >/dev/null 2>&1 || status=$?
  ((status == 2)) || fail "put of $bad exited $status"
done
said=$(echo '{"DiskIdentity": -2}' | run put 2>&1 >/dev/null || true)
grep -q 'DiskIdentity: -2 is outside -1..9999' <<<"$said" || fail "put of identity -2 said: $said"

[[ $(run list | wc -l) == 2 ]] || fail "bad input stored a receiver"

# A type table of more than 300 rows is refused.
{ echo '[{"TypeId": 0}'; for i in $(seq 1 300); do echo ", {\"TypeId\": $i}"; done; echo ']'; } >"$dir/big.json"
status=0
"$tool" receiver list --data-dir "$dir" --receiver-types "$dir/big.json" >/dev/null 2>&1 || status=$?
((status == 2)) || fail "301 type rows exited $status"

# remove logs the deletion for the partner and reports with the English texts.
run remove 42 --redundancy-role 1 2>"$dir/err" || fail "remove failed"
grep -qx "Removed receiver 'Desk' $dir/Receivers/Receiver_0042.dat" "$dir/err" || fail "remove said: $(cat "$dir/err")"
grep -qP '^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\t42\tDesk\r$' "$dir/Receivers/DeletedReceivers.dat" ||
  fail "log holds: $(cat -A "$dir/Receivers/DeletedReceivers.dat")"
status=0
run remove 42 --redundancy-role 1 2>"$dir/err" || status=$?
((status == 1)) && grep -q "^no receiver file 42 " "$dir/err" || fail "second remove exited $status"
[[ $(wc -l <"$dir/Receivers/DeletedReceivers.dat") == 1 ]] || fail "a missing receiver was logged as deleted"
status=0
echo '{"ReceiverName": "Ω"}' | run put >/dev/null 2>"$dir/err" || status=$?
((status == 2)) && grep -q '^quindo-records: ReceiverName: "Ω"' "$dir/err" || fail "unmappable name exited $status"
[[ -z $(run upgrade) ]] || fail "upgrade of current files printed"
status=0
run show 42 >/dev/null 2>&1 || status=$?
((status == 1)) || fail "show of a removed receiver exited $status"
help=$("$tool" --help)  # read whole: grep -q would close the pipe early
grep -q "quindo-records receiver list" <<<"$help" || fail "--help lacks the receiver commands"

echo "quindo-records receiver: all checks passed"
