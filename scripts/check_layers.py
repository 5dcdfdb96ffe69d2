#!/usr/bin/env python3
"""Checks the folder layering of src/: folders include only folders at their level or below, the
include graph between folders has no cycle, and only the Windows-only folders include <windows.h>.
Prints the folder graph; exits 1 on any violation."""
import pathlib
import re
import sys

# Lower levels first; folders on one level may use each other as long as no cycle forms.
LEVELS = [["base"], ["platform"], ["core"], ["tweaks", "games", "hw"], ["catalog"],
          ["services", "assistant"], ["ui"], ["app", "cli"]]
LEVEL = {name: i for i, names in enumerate(LEVELS) for name in names}
WINDOWS_ONLY = ("app", "platform/win32", "ui/gdi")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def folder_of(relative):
    return relative.split("/", 1)[0]


def main():
    src = pathlib.Path(__file__).resolve().parent.parent / "src"
    edges, errors = {}, []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp", ".in", ".rc") or not path.is_file():
            continue
        relative = path.relative_to(src).as_posix()
        here = folder_of(relative)
        for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
            match = INCLUDE.match(line)
            if not match:
                continue
            kind, target = match.groups()
            if kind == "<":
                if target.lower() == "windows.h" and not relative.startswith(WINDOWS_ONLY):
                    errors.append(f"{relative}: <windows.h> outside the Windows-only folders")
                continue
            there = folder_of(target)
            if there == here or there not in LEVEL:
                continue
            if here in LEVEL and LEVEL[there] > LEVEL[here]:
                errors.append(f"{relative}: includes {target}, a level above {here}/")
            edges.setdefault(here, set()).add(there)

    # A cycle through folders, found by depth-first search.
    state, stack = {}, []

    def visit(node):
        state[node] = "open"
        stack.append(node)
        for nxt in sorted(edges.get(node, ())):
            if state.get(nxt) == "open":
                errors.append("cycle: " + " -> ".join(stack[stack.index(nxt):] + [nxt]))
            elif nxt not in state:
                visit(nxt)
        stack.pop()
        state[node] = "done"

    for node in sorted(edges):
        if node not in state:
            visit(node)

    for node in sorted(edges, key=lambda n: (LEVEL.get(n, 99), n)):
        print(f"  {node} -> {', '.join(sorted(edges[node]))}")
    for error in errors:
        print("layering: " + error)
    print("layering: " + ("ok" if not errors else f"{len(errors)} violation(s)"))
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
