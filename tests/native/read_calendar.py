# Reads a calendar file with python-icalendar and prints each item a line, as the tests compare them.
import sys
from icalendar import Calendar

with open(sys.argv[1], 'rb') as f:
    calendar = Calendar.from_ical(f.read())
print(calendar['X-WR-CALNAME'], calendar['VERSION'])
for item in calendar.walk():
    priority = item.get('PRIORITY', '-')
    if item.name == 'VEVENT':
        start, end = item.decoded('DTSTART'), item.decoded('DTEND')
        print('E', start.strftime('%Y%m%dT%H%M%z'), int((end - start).total_seconds() // 60), priority, item['SUMMARY'])
    elif item.name == 'VTODO':
        print('T', item.decoded('DUE').strftime('%Y%m%d'), item['STATUS'], item.get('PERCENT-COMPLETE', '-'),
              priority, item['SUMMARY'])
