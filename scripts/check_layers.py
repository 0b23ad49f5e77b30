#!/usr/bin/env python3
"""Fails when a source file includes from a layer above its own.

The program is built in layers, one folder each, every include pointing
down: resources/ and platform/ at the bottom, then master/, fileset/, app/
(the dialogs' controller), and the front ends: app/'s sub-folders (app/win32/)
and cli/, which never include each other; cli/ uses nothing of app/. Nothing outside a front end
includes it but its own tests (tests/win32/ for app/win32/, tests/cli/ for
cli/, and the fuzzers for cli/, whose report one of them reads); tests,
fuzzers and the benchmark may include any other layer.

The dialog stays in app/: below it, nothing includes the dialog interface
(app/dialog.h) nor the dialogs' resource IDs (resources/resource_ids.h), so
that the core and the console program know nothing of controls.

Usage: check_layers.py [ROOT]   (default: the repository holding this script)
"""
import pathlib
import re
import sys

RANKS = {"resources": 0, "platform": 1, "master": 2, "fileset": 3, "app": 4}
FRONT_END_RANK = 5
FRONT_ENDS = ("cli",)
# What only the dialogs' layers may include: the dialog interface, and the
# control and template IDs.
DIALOG_ONLY = {pathlib.Path("app/dialog.h"), pathlib.Path("resources/resource_ids.h")}
DIALOG_RANK = RANKS["app"]
SOURCES = ("*.h", "*.hpp", "*.cpp", "*.rc")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def layer_of(path):
    """(rank, name) of a repository-relative path, or None outside the layers."""
    parts = path.parts
    if parts[0] == "app" and len(parts) > 2:
        return FRONT_END_RANK, "app/" + parts[1]
    if parts[0] in FRONT_ENDS:
        return FRONT_END_RANK, parts[0]
    if parts[0] in RANKS:
        return RANKS[parts[0]], parts[0]
    return None


def tests_front_end(path, front_end):
    """True when `path` is one of the tests of `front_end` (app/NAME or NAME),
    or a fuzzer of the console program's (fuzz/ holds no dialog)."""
    return ((path.parts[0] == "tests" and len(path.parts) > 2
             and front_end in ("app/" + path.parts[1], path.parts[1]))
            or (path.parts[0] == "fuzz" and front_end == "cli"))


def resolve(root, includer, name):
    """The included file as the compiler finds it: beside the includer first,
    then from the repository's root; None when it is not the project's."""
    for base in (includer.parent, root):
        candidate = (base / name).resolve()
        if candidate.is_file() and root in candidate.parents:
            return candidate.relative_to(root)
    return None


def violations(root):
    for pattern in SOURCES:
        for file in sorted(root.rglob(pattern)):
            relative = file.relative_to(root)
            if relative.parts[0] in ("build", "dist") or relative.parts[0].startswith("."):
                continue
            own = layer_of(relative)
            for name in INCLUDE.findall(file.read_text(errors="replace")):
                target = resolve(root, file, name)
                included = target and layer_of(target)
                if not included or (own and own[1] == included[1]):
                    continue
                if tests_front_end(relative, included[1]):
                    continue
                if included[0] == FRONT_END_RANK or (own and included[0] >= own[0]):
                    yield f"{relative}: includes {target} ({included[1]} is not below {own[1] if own else relative.parts[0]})"
                elif target in DIALOG_ONLY and own and (own[0] < DIALOG_RANK or own[1] in FRONT_ENDS):
                    yield f"{relative}: includes {target} (the dialog stays in app/)"
                elif own and own[1] in FRONT_ENDS and included[1] == "app":
                    yield f"{relative}: includes {target} ({own[1]} uses nothing of the dialogs)"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent).resolve()
    found = list(violations(root))
    for line in found:
        print(line)
    print(f"layers: {len(found)} include(s) pointing up or into a front end")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
