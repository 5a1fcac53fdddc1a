#!/usr/bin/python3
"""Keeps the floors: each folder includes only folders below it, the portable
folders never reach the window folder or <windows.h>, and no two files of the
window folder lean on each other in a loop. Every header of the window folder
has a .cpp of its own name, which defines what it declares: a function is
declared where it is defined, so a loop of calls shows as a loop of includes."""
import os
import re
import sys

FLOORS = {"text": 1, "dates": 1, "storage": 2, "day": 3, "directory": 4,
          "edit": 5, "icalendar": 5, "phrases": 5, "app": 6}
WINDOW = "app"
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
# A function declared at the top level of a header: a line that ends the declaration.
DECLARED = re.compile(r'^(?!\s|#|//|return\b)[^;{}()=]*?\b(\w+)\s*\([^;{}]*\)\s*;', re.M)

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
faults = []
modules = {}  # window module -> window modules whose headers it includes

for folder, floor in FLOORS.items():
    path = os.path.join(root, folder)
    if not os.path.isdir(path):
        continue
    for name in sorted(os.listdir(path)):
        if not name.endswith((".cpp", ".h")):
            continue
        if folder != WINDOW and name.endswith(("_win32.cpp", "_win32.h")):
            faults.append(f"{folder}/{name}: Windows code belongs in {WINDOW}/")
        with open(os.path.join(path, name), encoding="utf-8") as source:
            text = source.read()
        module = name.rsplit(".", 1)[0]
        for kind, included in INCLUDE.findall(text):
            if kind == "<":
                if folder != WINDOW and included.lower() in ("windows.h", "shellapi.h", "commctrl.h"):
                    faults.append(f"{folder}/{name}: <{included}> in portable code")
                continue
            top = included.split("/", 1)[0]
            if top not in FLOORS:
                continue
            if FLOORS[top] > floor or (top != folder and FLOORS[top] == floor):
                faults.append(f"{folder}/{name}: includes {included}, which is not on a floor below")
            if folder == WINDOW and top == WINDOW:
                other = included.split("/", 1)[1].rsplit(".", 1)[0]
                if other != module:
                    modules.setdefault(module, set()).add(other)

# Each window header beside its own .cpp, and each function it declares defined there.
window = os.path.join(root, WINDOW)
definitions = {}  # function name -> window modules whose .cpp defines it at the top level
for name in sorted(os.listdir(window)):
    if name.endswith(".cpp"):
        with open(os.path.join(window, name), encoding="utf-8") as source:
            for line in source:
                found = re.match(r'^(?!\s|#|//|return\b|case\b)[^;()=]*?\b(\w+)\s*\([^;]*$', line)
                if found:
                    definitions.setdefault(found.group(1), set()).add(name[:-4])
for name in sorted(os.listdir(window)):
    if not name.endswith(".h"):
        continue
    module = name[:-2]
    if not os.path.exists(os.path.join(window, module + ".cpp")):
        faults.append(f"{WINDOW}/{name}: no {module}.cpp of its own beside it")
        continue
    with open(os.path.join(window, name), encoding="utf-8") as header:
        for function in DECLARED.findall(header.read()):
            elsewhere = definitions.get(function, set()) - {module}
            if elsewhere and module not in definitions.get(function, set()):
                faults.append(f"{WINDOW}/{name}: declares {function}, defined in {', '.join(sorted(elsewhere))}.cpp")

# A loop among the window's files, found by walking from each one.
def loop_from(start):
    stack, seen = [(start, [start])], set()
    while stack:
        node, trail = stack.pop()
        for nxt in sorted(modules.get(node, ())):
            if nxt == start:
                return trail + [start]
            if nxt not in seen:
                seen.add(nxt)
                stack.append((nxt, trail + [nxt]))
    return None

reported = set()
for module in sorted(modules):
    trail = loop_from(module)
    if trail and frozenset(trail) not in reported:
        reported.add(frozenset(trail))
        faults.append(f"{WINDOW}/: files lean on each other in a loop: {' -> '.join(trail)}")

for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
