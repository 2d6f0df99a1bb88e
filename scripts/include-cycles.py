#!/usr/bin/env python3
"""Reports include cycles between folders (a folder includes another that includes it back,
directly or round a longer loop) and between files, and private headers (detail/) included from
outside their library. A folder is the one with the CMakeLists.txt that builds it: a library's
detail/ and kinds/ belong to it. Quoted includes are paths from the tree's root. Exits 1 when it
finds a fault."""
import os
import re
import sys
from collections import defaultdict

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
files = {}
for top, dirs, names in os.walk(root):
    dirs[:] = [d for d in dirs if not d.startswith(".") and d not in ("build", "node_modules")]
    for name in names:
        if name.endswith((".h", ".cpp")):
            path = os.path.relpath(os.path.join(top, name), root)
            with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
                files[path] = include.findall(f.read())


def library(path):
    folder = os.path.dirname(path)
    while folder and not os.path.exists(os.path.join(root, folder, "CMakeLists.txt")):
        folder = os.path.dirname(folder)
    return folder


def resolve(source, target):
    for candidate in (target, os.path.normpath(os.path.join(os.path.dirname(source), target))):
        if candidate in files:
            return candidate
    return None


def cycles(graph):
    """Strongly connected components of more than one node (Tarjan)."""
    index, low, stack, on, found, counter = {}, {}, [], set(), [], [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in graph[v]:
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            component = []
            while True:
                w = stack.pop()
                on.discard(w)
                component.append(w)
                if w == v:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    sys.setrecursionlimit(10000)
    for v in list(graph):
        if v not in index:
            visit(v)
    return found


fileGraph, folderGraph, privates = defaultdict(set), defaultdict(set), []
for path, targets in files.items():
    fileGraph[path]
    for t in targets:
        r = resolve(path, t)
        if r:
            fileGraph[path].add(r)
            a, b = library(path), library(r)
            if "/detail/" in r and a != b:
                privates.append(f"{path} includes {r}, private to {b}")
            folderGraph[a]
            folderGraph[b]
            if a != b:
                folderGraph[a].add(b)

bad = bool(privates)
for line in privates:
    print(line)
for kind, graph in (("folders", folderGraph), ("files", fileGraph)):
    for component in cycles(graph):
        bad = True
        print(f"include cycle between {kind}: " + ", ".join(component))
print(f"{len(files)} files, {len(folderGraph)} folders: "
      + ("faults found" if bad else "no include cycle, no private header used from outside"))
sys.exit(1 if bad else 0)
