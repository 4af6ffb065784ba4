#!/usr/bin/env python3
"""Fails when a file of src/ includes from a layer its folder may not use.

Each folder of src/ is a layer; ALLOWED lists the layers below it that it may
include from (its own is always allowed). Also checked: only render includes
render/detail/, and the core folders include no Qt header.

    tools/check-layers.py [SRC_DIR]    (default: src next to this script)
"""
import pathlib
import re
import sys

ALLOWED = {
    "platform": set(),
    "document": {"platform"},
    "app": {"document", "platform"},
    "report": {"document", "platform"},
    "labtable": {"document", "platform"},  # laboratory result tables
    "render": {"app", "document", "platform"},
    "exchange": {"app", "document", "platform"},  # the exchange XML
    "dialogs": {"exchange", "report", "labtable", "render", "app", "document", "platform"},  # render: the pattern previews
    "commands": {"exchange", "report", "dialogs", "labtable", "render", "app", "document", "platform"},
    "qt": {"exchange", "report", "commands", "dialogs", "labtable", "render", "app", "document", "platform"},
    "cli": {"exchange", "report", "qt", "commands", "dialogs", "labtable", "render", "app", "document", "platform"},
}
CORE = {"platform", "document", "report", "app", "labtable", "render", "dialogs", "commands", "exchange"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def problems(src):
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".cpp", ".h"):
            continue
        rel = path.relative_to(src)
        if len(rel.parts) < 2:
            continue  # main.cpp: the executable, above every layer
        layer = rel.parts[0]
        if layer not in ALLOWED:
            yield f"{rel}: folder src/{layer} is not in the layer table of tools/check-layers.py"
            continue
        for n, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            kind, name = m.groups()
            if kind == "<":
                if layer in CORE and re.match(r"Q[A-Za-z]*(/|$)", name):
                    yield f"{rel}:{n}: the core layer {layer} includes the Qt header <{name}>"
                continue
            target = name.split("/")[0] if "/" in name else None
            if target is None or target not in ALLOWED:
                continue  # a header of the same folder or a generated one (moc)
            if target != layer and target not in ALLOWED[layer]:
                yield f"{rel}:{n}: {layer} may not include from {target} (\"{name}\")"
            if name.startswith("render/detail/") and layer != "render":
                yield f"{rel}:{n}: render/detail is internal to render (\"{name}\")"


def main():
    src = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent / "src"
    found = list(problems(src))
    for p in found:
        print(p)
    if found:
        print(f"{len(found)} include(s) break the layer rules (see CONTRIBUTING.md)")
        return 1
    print("every include of src/ follows the layer rules")
    return 0


if __name__ == "__main__":
    sys.exit(main())
