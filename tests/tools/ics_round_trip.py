"""Reads an exported iCalendar file with a second, independent reader
(Python's icalendar, expanded by recurring-ical-events) and compares its
events with the active stretches that the agenda lists.

    ics_round_trip.py STATES.jsonl CHANGES.jsonl FILE.ics FROM TO ZONE

STATES.jsonl is `agenda --at FROM --jsonl` (who is on at the window's
start), CHANGES.jsonl `agenda --from FROM --to TO --jsonl`; FROM and TO are
"YYYY-MM-DD HH:MM" wall-clock times of ZONE. The agenda's wall-clock times
become instants as RFC 5545 reads a local time (Python's zoneinfo with
fold=0: a skipped minute takes the offset from before the change, a
repeated one its first pass), and so do the file's events: both sides are
compared as UTC instants. Exits 1 naming the first difference.
"""
import datetime
import json
import re
import sys
import zoneinfo

import icalendar
import recurring_ical_events

UTC = datetime.timezone.utc


def instant(wall, zone):
    naive = datetime.datetime.strptime(wall, "%Y-%m-%d %H:%M")
    return naive.replace(tzinfo=zone, fold=0).astimezone(UTC)


def agenda_stretches(states_file, changes_file, start, end, zone):
    active_since = {}
    for line in open(states_file, encoding="utf-8"):
        state = json.loads(line)
        if state["Active"]:
            active_since[state["DiskIdentity"]] = start
    stretches = set()
    for line in open(changes_file, encoding="utf-8"):
        change = json.loads(line)
        identity, at = change["DiskIdentity"], instant(change["Time"], zone)
        if change["DecidedBy"] in ("no schedule", "disabled"):
            continue  # listed once, at the window's start, and known from STATES
        if change["Active"]:
            active_since.setdefault(identity, at)
        elif identity in active_since:
            stretches.add((identity, active_since.pop(identity), at))
    for identity, since in active_since.items():
        stretches.add((identity, since, end))
    # A stretch of minutes that the change to summer time skips has no instant.
    return {s for s in stretches if s[2] > s[1]}


def file_stretches(ics_file, start, end):
    calendar = icalendar.Calendar.from_ical(open(ics_file, "rb").read())
    stretches = set()
    for event in recurring_ical_events.of(calendar).between(start, end):
        identity = int(re.match(r"profile-(-?\d+)-", str(event["UID"])).group(1))
        stretches.add((identity, event["DTSTART"].dt.astimezone(UTC), event["DTEND"].dt.astimezone(UTC)))
    return stretches


def main():
    states, changes, ics, start_text, end_text, zone_name = sys.argv[1:7]
    zone = zoneinfo.ZoneInfo(zone_name)
    start, end = instant(start_text, zone), instant(end_text, zone)
    expected = agenda_stretches(states, changes, start, end, zone)
    found = file_stretches(ics, start, end)
    if not expected:
        print("the agenda lists no active stretch: nothing to compare", file=sys.stderr)
        return 1
    if found != expected:
        print("only in the agenda:", sorted(expected - found)[:5], file=sys.stderr)
        print("only in the file:", sorted(found - expected)[:5], file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
