# Random repeat rules, the same ones every run, expanded by python-dateutil for the native tests to hold ours
# against. Writes a line per rule: "START RULE STARTS...", starts within two years of START, all as
# YYYYMMDDTHHMMSS. Where START is not on the rule dateutil leaves it out, and COUNT does not count it.
import datetime as dates
import random
import sys
from datetime import datetime

try:
    from dateutil.rrule import rrulestr
except ImportError:
    sys.exit("python3-dateutil is missing: run scripts/install-deps.sh")

FREQS = ["YEARLY", "MONTHLY", "WEEKLY", "DAILY", "HOURLY", "MINUTELY", "SECONDLY"]
DAYS = ["MO", "TU", "WE", "TH", "FR", "SA", "SU"]
rng = random.Random(int(sys.argv[1]))


def some(values, most):
    return ",".join(str(v) for v in sorted(set(rng.choice(values) for _ in range(rng.randint(1, most)))))


def rule():
    freq = rng.choice(FREQS)
    below_day = FREQS.index(freq) >= 4
    parts = ["FREQ=" + freq, "COUNT=%d" % rng.randint(1, 30)]
    if rng.random() < 0.4: parts.append("INTERVAL=%d" % rng.choice([2, 3, 5, 7, 13, 90]))
    if rng.random() < 0.3: parts.append("BYMONTH=" + some(range(1, 13), 4))
    if rng.random() < 0.3: parts.append("BYMONTHDAY=" + some([*range(1, 32), *range(-31, 0)], 4))
    if rng.random() < 0.4:
        ordinals = freq in ("MONTHLY", "YEARLY") and rng.random() < 0.5
        parts.append("BYDAY=" + ",".join(sorted({(str(rng.choice([1, 2, -1, 3])) if ordinals else "") + rng.choice(DAYS)
                                                  for _ in range(rng.randint(1, 3))})))
    if freq == "YEARLY" and rng.random() < 0.3: parts.append("BYWEEKNO=" + some([1, 2, 10, 20, 26, 52, 53, -1, -2], 3))
    if freq in ("YEARLY", "HOURLY", "MINUTELY", "SECONDLY") and rng.random() < 0.3:
        parts.append("BYYEARDAY=" + some([1, 2, 32, 60, 100, 200, 365, 366, -1, -100], 3))
    if rng.random() < (0.3 if below_day else 0.5): parts.append("BYHOUR=" + some(range(24), 4))
    if rng.random() < (0.3 if below_day else 0.4): parts.append("BYMINUTE=" + some(range(60), 4))
    if rng.random() < (0.3 if below_day else 0.3): parts.append("BYSECOND=" + some(range(60), 3))
    if rng.random() < 0.2: parts.append("BYSETPOS=" + some([1, 2, 3, -1, -2], 2))
    if rng.random() < 0.3: parts.append("WKST=" + rng.choice(DAYS))
    return ";".join(parts)


for _ in range(int(sys.argv[2])):
    start = datetime(rng.randint(1995, 2030), rng.randint(1, 12), rng.randint(1, 28), rng.randint(0, 23),
                     rng.choice([0, 15, 30, 59]), rng.choice([0, 0, 30]))
    while True:  # dateutil refuses an INTERVAL that never meets the hours or minutes named: draw again
        try:
            text = rule()
            expanded = rrulestr(text, dtstart=start)
            break
        except ValueError:
            pass
    # dateutil looks for a rule's next start up to the year 9999, minutes at a time for a rule that never matches:
    # its search ends with the window instead.
    dates.MAXYEAR = start.year + 2
    starts = expanded.between(start, start.replace(year=start.year + 2), inc=True)
    print(start.strftime("%Y%m%dT%H%M%S"), text, *(s.strftime("%Y%m%dT%H%M%S") for s in starts))
