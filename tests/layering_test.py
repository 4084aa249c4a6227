#!/usr/bin/env python3
"""Fails when an include points the wrong way.

platform/ includes only platform/ (and the extraction library's published
header); an operation never includes a window header; the system headers and
_WIN32 conditions stay in platform/, app/ and the Windows-only test folders;
neither files nor the folders of the four subsystems include each other in a
circle.
"""
import os
import re
import sys
from graphlib import CycleError, TopologicalSorter

ROOT = sys.argv[1]
SOURCES = (".cpp", ".h", ".c", ".h.in")
SUBSYSTEMS = ("core", "decision", "install", "registration")
PUBLISHED_HEADER = "unzip32/unzip32_api.h"
SYSTEM_HEADER = re.compile(r'#\s*include\s*<(windows|curl/curl|dlfcn|pthread)\.h>')
WIN32_CONDITION = re.compile(r'#\s*(if|ifdef|ifndef|elif)\b.*\b_WIN32\b')
QUOTED = re.compile(r'#\s*include\s*"([^"]+)"')


def sources():
    for top in sorted(os.listdir(ROOT)):
        if top.startswith(".") or top == "build" or not os.path.isdir(os.path.join(ROOT, top)):
            continue
        for folder, _, names in os.walk(os.path.join(ROOT, top)):
            for name in sorted(names):
                if name.endswith(SOURCES):
                    path = os.path.join(folder, name)
                    yield os.path.relpath(path, ROOT).replace(os.sep, "/")


def may_use_system(path):
    parts = path.split("/")
    if parts[0] in ("platform", "app") or path == PUBLISHED_HEADER:
        return True
    return parts[0] == "tests" and ("win32" in parts or parts[1] == "e2e")


def is_window_header(path, text):
    return path.endswith(".h") and re.search(r'#\s*include\s*"platform/windowing[./]', text)


def find_cycle(graph):
    """One circle of the graph as a list of nodes, or None."""
    try:
        tuple(TopologicalSorter(graph).static_order())
    except CycleError as error:
        return error.args[1][::-1]  # the sorter lists the circle backwards
    return None


def main():
    texts = {path: open(os.path.join(ROOT, path), encoding="utf-8").read() for path in sources()}
    includes = {path: QUOTED.findall(text) for path, text in texts.items()}
    window_headers = {p for p, t in texts.items() if p.split("/")[0] in SUBSYSTEMS and is_window_header(p, t)}
    problems = []
    for path, text in texts.items():
        top = path.split("/")[0]
        for included in includes[path]:
            if top == "platform" and not included.startswith("platform/") and included != PUBLISHED_HEADER:
                problems.append(f"{path}: platform/ includes {included}")
            if top in SUBSYSTEMS and included in window_headers:
                folder, name = path.rsplit("/", 1)
                windows_here = [h for h in window_headers if h.startswith(folder + "/")]
                stems = [h.rsplit("/", 1)[1][:-2] for h in windows_here]
                if not any(name.startswith(stem) for stem in stems):
                    problems.append(f"{path}: an operation includes the window header {included}")
        if not may_use_system(path):
            for number, line in enumerate(text.splitlines(), 1):
                if SYSTEM_HEADER.search(line) or WIN32_CONDITION.search(line):
                    problems.append(f"{path}:{number}: {line.strip()} outside platform/")
    file_graph = {p: {i for i in inc if i in texts} for p, inc in includes.items()}
    cycle = find_cycle(file_graph)
    if cycle:
        problems.append("files include each other: " + " -> ".join(cycle))
    folder_graph = {}
    for path, targets in file_graph.items():
        top = path.split("/")[0]
        if top in SUBSYSTEMS:
            for target in targets:
                other = target.split("/")[0]
                if other in SUBSYSTEMS and other != top:
                    folder_graph.setdefault(top, set()).add(other)
    cycle = find_cycle(folder_graph)
    if cycle:
        problems.append("folders include each other: " + " -> ".join(cycle))
    for problem in problems:
        print(problem)
    print(f"{len(texts)} files checked, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
