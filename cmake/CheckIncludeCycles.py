#!/usr/bin/env python3
"""Fails when files of different folders include one another in a circle: a folder that
needs another's header may not be needed by it back, however many files lie between."""
import os
import re
import sys

ROOT = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SKIP = ('build', 'tests', 'bench', 'fuzz', '.git', 'docs', 'packaging', 'scripts', 'cmake')
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')

files = {}
for folder, dirs, names in os.walk(ROOT):
    dirs[:] = [d for d in dirs if not d.startswith(SKIP)]
    for name in names:
        if name.endswith(('.h', '.cpp')):
            path = os.path.relpath(os.path.join(folder, name), ROOT)
            files[path] = path

graph = {}
for path in files:
    targets = []
    with open(os.path.join(ROOT, path), errors='replace') as text:
        for line in text:
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            if target not in files:
                # A header beside the file, named without its folder.
                beside = os.path.join(os.path.dirname(path), target)
                target = beside if beside in files else None
            if target:
                targets.append(target)
    graph[path] = targets

# Tarjan's strongly connected components, iteratively.
index, low, on_stack, stack, components = {}, {}, set(), [], []
counter = [0]
for start in graph:
    if start in index:
        continue
    work = [(start, 0)]
    while work:
        node, i = work.pop()
        if i == 0:
            index[node] = low[node] = counter[0]
            counter[0] += 1
            stack.append(node)
            on_stack.add(node)
        successors = graph[node]
        if i < len(successors):
            work.append((node, i + 1))
            target = successors[i]
            if target not in index:
                work.append((target, 0))
            elif target in on_stack:
                low[node] = min(low[node], index[target])
            continue
        for target in successors:
            if target in on_stack:
                low[node] = min(low[node], low[target])
        if low[node] == index[node]:
            component = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                component.append(member)
                if member == node:
                    break
            components.append(component)

failures = [sorted(c) for c in components
            if len({os.path.dirname(member) for member in c}) > 1]
for component in failures:
    print('Include circle between folders: ' + ', '.join(component))
sys.exit(1 if failures else 0)
