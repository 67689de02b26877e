#!/usr/bin/env python3
"""Checks that includes run down the floors of the game's source tree.

Floors, bottom to top:
  0 machine   machine/: machine/platform.h, the ground services
              (machine/memory, machine/random), the back ends in machine/sdl,
              machine/headless (and machine/win32), the file systems in
              machine/posix (and machine/win32)
  1 world/, data/
  2 render/
  3 shell     platform/window, platform/input, platform/present, console/, core/

A module is a .h/.cpp pair; module A depends on module B when A's header or
source includes B's header. The check fails on
  - an include from a lower floor into a higher one, unless the pair of
    folders is named on an "Upward:" line of docs/modules.md;
  - a loop of modules that runs through more than one folder;
  - a machine-layer file including anything but machine-layer headers;
  - core/startup.h included by more than three files of the game.
Run from anywhere; prints what it found and exits 1 on a violation.
"""
import os
import re
import sys
from collections import defaultdict

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
GAME_FOLDERS = ("machine", "core", "platform", "world", "render", "data", "console")
SHELL = ("platform/window", "platform/input", "platform/present")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def floor_of(module):
    if module.startswith("machine/"):
        return 0, "machine"
    if module in SHELL:
        return 3, "shell"
    folder = module.split("/")[0]
    return {"world": (1, "world"), "data": (1, "data"), "render": (2, "render"),
            "console": (3, "console"), "core": (3, "core"), "platform": (3, "shell")}[folder]


def source_files():
    for folder in GAME_FOLDERS:
        for dirpath, _, names in os.walk(os.path.join(ROOT, folder)):
            for name in sorted(names):
                if name.endswith((".h", ".cpp")):
                    yield os.path.relpath(os.path.join(dirpath, name), ROOT)


def module_of(path):
    return os.path.splitext(path)[0]


def allowed_upward():
    allowed = set()
    try:
        with open(os.path.join(ROOT, "docs", "modules.md")) as f:
            for line in f:
                m = re.match(r"\s*-?\s*Upward:\s*`([^`]+)`\s*(?:->|→)\s*`([^`]+)`", line)
                if m:
                    allowed.add((m.group(1), m.group(2)))
    except OSError:
        pass
    return allowed


def main():
    files = list(source_files())
    known = {module_of(p) for p in files}
    edges = defaultdict(set)
    includers = defaultdict(list)
    for path in files:
        with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as f:
            text = f.read()
        for inc in INCLUDE.findall(text):
            includers[inc].append(path)
            target = module_of(inc)
            if target in known and target != module_of(path):
                edges[module_of(path)].add(target)
    failures = 0
    allowed = allowed_upward()
    upward = defaultdict(list)
    for a in sorted(edges):
        for b in sorted(edges[a]):
            (fa, na), (fb, nb) = floor_of(a), floor_of(b)
            if fb > fa:
                upward[(na, nb)].append(f"{a} -> {b}")
    for (na, nb), ties in sorted(upward.items()):
        ok = (na, nb) in allowed
        print(f"{'named' if ok else 'UPWARD'} tie {na} -> {nb}: " + ", ".join(ties))
        failures += not ok

    # Strongly connected components (Tarjan), reported when they span folders.
    index, low, stack, on, comps = {}, {}, [], set(), []
    sys.setrecursionlimit(10000)

    def visit(v):
        index[v] = low[v] = len(index)
        stack.append(v); on.add(v)
        for w in edges.get(v, ()):
            if w not in index:
                visit(w); low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            comp = []
            while True:
                w = stack.pop(); on.discard(w); comp.append(w)
                if w == v:
                    break
            comps.append(comp)

    for v in sorted(known):
        if v not in index:
            visit(v)
    for comp in comps:
        folders = {m.rsplit("/", 1)[0] for m in comp}
        if len(comp) > 1 and len(folders) > 1:
            print("LOOP across folders: " + " ".join(sorted(comp)))
            failures += 1

    for path in files:
        if floor_of(module_of(path))[0] != 0:
            continue
        with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as f:
            for inc in INCLUDE.findall(f.read()):
                target = os.path.normpath(os.path.join(os.path.dirname(path), inc))
                if not target.startswith("machine/"):
                    print(f"MACHINE file {path} includes {inc}")
                    failures += 1

    startup = sorted(set(includers.get("core/startup.h", [])))
    print(f"core/startup.h included by {len(startup)} game files: {' '.join(startup)}")
    if len(startup) > 3:
        failures += 1
    print("floors: ok" if failures == 0 else f"floors: {failures} violation(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
