# Repeat rules expanded by python-dateutil, which the native tests hold our expansion against.
# Reads a file: "FIRST LAST" (the window), then a line "ZONE START RULE" per rule, ZONE a POSIX TZ
# string or "-" for floating times. Writes a line per rule: its starts in the window, in UTC when zoned.
import sys
from datetime import datetime

try:
    from dateutil.rrule import rrulestr
    from dateutil.tz import UTC, tzstr
except ImportError:
    sys.exit("python3-dateutil is missing: run scripts/install-deps.sh")


def moment(text, zone):
    return datetime.strptime(text, "%Y%m%dT%H%M").replace(tzinfo=zone)


lines = open(sys.argv[1]).read().splitlines()
first, last = lines[0].split()
for line in lines[1:]:
    zone_text, start, rule = line.split(" ", 2)
    zone = tzstr(zone_text) if zone_text != "-" else None
    starts = rrulestr(rule, dtstart=moment(start, zone)).between(moment(first, zone), moment(last, zone), inc=True)
    print(" ".join((s.astimezone(UTC) if zone else s).strftime("%Y%m%dT%H%M") for s in starts))
