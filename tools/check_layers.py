#!/usr/bin/env python3
"""Checks the include lines of the sources and the link lines of the CMake
files against the folder table of docs/architecture.md (a folder may use only
the libraries of the folders it may include), and that no source file outside
tests/ is named like a test. Prints one line per violation; exit code 1 when
there is any.

Usage: check_layers.py [root]      check the tree at root (default: this repository)
       check_layers.py --self-test check the checker on planted violations
"""
import os
import re
import sys
import tempfile

SOURCE_SUFFIXES = (".cpp", ".h", ".rc")
SKIPPED_FOLDERS = {"build", "tests", "cmake", "docs", "samples"}
TABLE_ROW = re.compile(r"^\|\s*`([a-z0-9_]+)/`\s*\|[^|]*\|([^|]*)\|\s*$")
FOLDER_NAME = re.compile(r"`([a-z0-9_]+)/`")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
TEST_WORD = re.compile(r"(^|[_.\-])tests?([_.\-]|$)", re.IGNORECASE)
ADD_LIBRARY = re.compile(r"add_library\(\s*([A-Za-z0-9_]+)")
LINK_LINE = re.compile(r"target_link_libraries\(\s*([A-Za-z0-9_]+)([^)]*)\)", re.DOTALL)


def read_table(root):
    """Folder -> the set of folders it may include (itself always)."""
    allowed = {}
    path = os.path.join(root, "docs", "architecture.md")
    if not os.path.isfile(path):
        return allowed
    with open(path, encoding="utf-8") as table:
        for line in table:
            row = TABLE_ROW.match(line.strip())
            if row:
                folder = row.group(1)
                allowed[folder] = set(FOLDER_NAME.findall(row.group(2))) | {folder}
    return allowed


def source_files(root):
    for folder in sorted(os.listdir(root)):
        path = os.path.join(root, folder)
        if folder.startswith(".") or folder in SKIPPED_FOLDERS or not os.path.isdir(path):
            continue
        for directory, _, names in os.walk(path):
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    yield folder, os.path.join(directory, name)


def cmake_files(root, allowed):
    for folder in sorted(set(allowed) - SKIPPED_FOLDERS):
        for directory, _, names in os.walk(os.path.join(root, folder)):
            if "CMakeLists.txt" in names:
                path = os.path.join(directory, "CMakeLists.txt")
                with open(path, encoding="utf-8", errors="replace") as text:
                    yield folder, os.path.relpath(path, root), re.sub(r"#[^\n]*", "", text.read())


def link_violations(root, allowed):
    """Libraries linked from a folder whose library folder it may not include."""
    files = list(cmake_files(root, allowed))
    owner = {}
    for folder, _, text in files:
        for library in ADD_LIBRARY.findall(text):
            owner[library] = folder
    found = []
    for folder, shown, text in files:
        for target, linked in LINK_LINE.findall(text):
            for library in linked.split():
                if library in owner and owner[library] not in allowed[folder]:
                    found.append(f"{shown}: {folder}/ must not link {library} of {owner[library]}/ (into {target})")
    return found


def violations(root):
    allowed = read_table(root)
    found = []
    if not allowed:
        return ["docs/architecture.md: no folder table found"]
    found += link_violations(root, allowed)
    for folder, path in source_files(root):
        shown = os.path.relpath(path, root)
        if TEST_WORD.search(os.path.basename(path)):
            found.append(f"{shown}: named like a test, but lies outside tests/")
        if folder not in allowed:
            found.append(f"{shown}: folder {folder}/ is missing from the table in docs/architecture.md")
            continue
        with open(path, encoding="utf-8", errors="replace") as source:
            for number, line in enumerate(source, 1):
                include = INCLUDE.match(line)
                if not include or "/" not in include.group(1):
                    continue
                target = include.group(1).split("/")[0]
                if target not in allowed[folder]:
                    found.append(f"{shown}:{number}: {folder}/ must not include {include.group(1)}")
    return found


def self_test():
    """Plants each kind of violation in a small tree; each must be reported, a clean tree not."""
    table = ("| Folder | What | May include |\n|---|---|---|\n"
             "| `base/` | x | nothing of the project |\n"
             "| `document/` | x | `base/` |\n"
             "| `editor/` | x | `base/`, `document/` |\n"
             "| `shell/` | x | `base/`, `document/`, `editor/` |\n"
             "| `creator/` | x | `base/`, `document/` |\n")
    clean = {"base/paths.h": '#include <string>\n', "document/record.h": '#include "base/paths.h"\n',
             "editor/dialog.cpp": '#include "document/record.h"\n#include "editor/dialog.h"\n',
             "shell/main.cpp": '#include "editor/dialog.h"\n', "shell/quorbelind.rc": '#include "editor/editor.rc"\n',
             "tests/unit/any_test.cpp": '#include "shell/main.h"\n',
             "editor/CMakeLists.txt": "add_library(editor_core STATIC dialog.cpp)\n"
                                      "target_link_libraries(editor_core PUBLIC document_core) # shell_core\n",
             "shell/CMakeLists.txt": "add_library(shell_core STATIC main.cpp)\n"
                                     "target_link_libraries(shell_core PUBLIC\n  editor_core)\n"}
    cases = [
        ("base includes a folder", {"base/paths.cpp": '#include "document/record.h"\n'}),
        ("folder includes one above it", {"document/index.cpp": '#include "shell/main.h"\n'}),
        ("editor includes shell", {"editor/ids.rc": '  #include "shell/resource_ids.h"\n'}),
        ("production file named like a test", {"shell/test_pane.cpp": ""}),
        ("production header named like a test", {"document/save_test.h": ""}),
        ("folder missing from the table", {"extra/thing.cpp": ""}),
        ("folder links a library above it", {"document/CMakeLists.txt": "add_library(document_core STATIC x.cpp)\n"
                                             "target_link_libraries(document_core PUBLIC\n  base_core editor_core)\n"}),
        ("program includes another program", {"creator/main.cpp": '#include "shell/main.h"\n'}),
        ("program links another program's library", {"creator/CMakeLists.txt": "target_link_libraries(Creator shell_core)\n"}),
    ]
    failures = 0
    for name, planted in [("clean tree", {})] + cases:
        with tempfile.TemporaryDirectory() as root:
            for path, text in [("docs/architecture.md", table)] + list({**clean, **planted}.items()):
                os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
                with open(os.path.join(root, path), "w", encoding="utf-8") as out:
                    out.write(text)
            reported = violations(root)
            expected = bool(planted)
            if bool(reported) != expected or len(reported) > 1:
                failures += 1
                print(f"FAIL {name}: reported {reported}")
    print(f"{len(cases) + 1 - failures} passed, {failures} failed")
    return 1 if failures else 0


def main(arguments):
    if arguments[1:] == ["--self-test"]:
        return self_test()
    root = arguments[1] if len(arguments) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    found = violations(root)
    for line in found:
        print(line)
    print(f"{len(found)} layer violations")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
