#!/usr/bin/env python3
"""Checks the include lines of the sources and the link lines of the CMake
files against the folder table of docs/architecture.md (a folder may use only
the libraries of the folders it may include), that a row names only folders
above it, that a library
folder (one that builds no program) includes no program's folder, that no
source file outside tests/ is named like a test, and that the list-view
messages (`LVM_*` and the `ListView_*` macros that send them) are sent from
one file only. Prints one line per violation; exit code 1 when there is any.

A row names a folder or a sub-folder (`shell/session/`); a file belongs to the
most specific row whose folder holds it. A row's "May include" cell names
folders (`base/`) and single files (`shell/frame/message_display.h`).

Usage: check_layers.py [root]      check the tree at root (default: this repository)
       check_layers.py --self-test check the checker on planted violations
"""
import os
import re
import sys
import tempfile

SOURCE_SUFFIXES = (".cpp", ".h", ".rc")
SKIPPED_FOLDERS = {"build", "tests", "cmake", "docs", "samples"}
TABLE_ROW = re.compile(r"^\|\s*`([a-z0-9_/]+)/`\s*\|[^|]*\|([^|]*)\|\s*$")
ALLOWED_NAME = re.compile(r"`([a-z0-9_/.]+)`")
ADD_LIBRARY = re.compile(r"add_library\(\s*([A-Za-z0-9_]+)")
LINK_LINE = re.compile(r"target_link_libraries\(\s*([A-Za-z0-9_]+)([^)]*)\)", re.DOTALL)
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
TEST_WORD = re.compile(r"(^|[_.\-])tests?([_.\-]|$)", re.IGNORECASE)
LIST_VIEW_MESSAGE = re.compile(r"\b(LVM_|ListView_)\w+")
LIST_VIEW_SENDER = "shell/frame/list_view_control.cpp"


def read_table(root):
    """Folder -> (the folders it may include, itself always; the single files it may include), in table order."""
    allowed = {}
    path = os.path.join(root, "docs", "architecture.md")
    if not os.path.isfile(path):
        return allowed
    with open(path, encoding="utf-8") as table:
        for line in table:
            row = TABLE_ROW.match(line.strip())
            if row:
                folder = row.group(1)
                names = ALLOWED_NAME.findall(row.group(2))
                folders = {name.rstrip("/") for name in names if name.endswith("/")} | {folder}
                files = {name for name in names if not name.endswith("/")}
                allowed[folder] = (folders, files)
    return allowed


def builds_program(root, folder):
    """True when a CMakeLists.txt in the folder adds an executable."""
    for directory, _, names in os.walk(os.path.join(root, folder)):
        if "CMakeLists.txt" in names:
            with open(os.path.join(directory, "CMakeLists.txt"), encoding="utf-8", errors="replace") as lists:
                if "add_executable(" in lists.read():
                    return True
    return False


def top_folder(folder):
    return folder.split("/")[0]


def table_violations(root, allowed):
    """Rows that name a folder not above them, and libraries that may include a program.
    A sub-folder belongs to the program or library of its top folder."""
    found = []
    above = set()
    for folder, (names, _) in allowed.items():
        library = folder != "tests" and not builds_program(root, top_folder(folder))
        for name in sorted(names - {folder}):
            if name not in above:
                found.append(f"docs/architecture.md: {folder}/ names {name}/, which is not above it in the table")
            elif library and top_folder(name) != top_folder(folder) and builds_program(root, top_folder(name)):
                found.append(f"docs/architecture.md: the library {folder}/ names the program folder {name}/")
        above.add(folder)
    return found


def cmake_files(root, allowed):
    """Each top folder's CMake files, comments dropped, with the folders its
    rows (its own and its sub-folders') may include."""
    tops = sorted({top_folder(folder) for folder in allowed} - SKIPPED_FOLDERS)
    for top in tops:
        may = set()
        for folder, (folders, _) in allowed.items():
            if top_folder(folder) == top:
                may |= folders
        for directory, _, names in os.walk(os.path.join(root, top)):
            if "CMakeLists.txt" in names:
                path = os.path.join(directory, "CMakeLists.txt")
                with open(path, encoding="utf-8", errors="replace") as text:
                    shown = os.path.relpath(path, root).replace(os.sep, "/")
                    yield top, may, shown, re.sub(r"#[^\n]*", "", text.read())


def link_violations(root, allowed):
    """Libraries linked from a folder whose library folder it may not include."""
    files = list(cmake_files(root, allowed))
    owner = {}
    for top, _, _, text in files:
        for library in ADD_LIBRARY.findall(text):
            owner[library] = top
    found = []
    for top, may, shown, text in files:
        for target, linked in LINK_LINE.findall(text):
            for library in linked.split():
                if library in owner and owner[library] not in may:
                    found.append(f"{shown}: {top}/ must not link {library} of {owner[library]}/ (into {target})")
    return found


def owner(allowed, path):
    """The most specific folder of the table that holds path, or None."""
    found = None
    for folder in allowed:
        if path.startswith(folder + "/") and (found is None or len(folder) > len(found)):
            found = folder
    return found


def source_files(root):
    for folder in sorted(os.listdir(root)):
        path = os.path.join(root, folder)
        if folder.startswith(".") or folder in SKIPPED_FOLDERS or not os.path.isdir(path):
            continue
        for directory, _, names in os.walk(path):
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    yield folder, os.path.join(directory, name)


def violations(root):
    allowed = read_table(root)
    found = []
    if not allowed:
        return ["docs/architecture.md: no folder table found"]
    found += table_violations(root, allowed)
    found += link_violations(root, allowed)
    for top, path in source_files(root):
        shown = os.path.relpath(path, root).replace(os.sep, "/")
        if TEST_WORD.search(os.path.basename(path)):
            found.append(f"{shown}: named like a test, but lies outside tests/")
        folder = owner(allowed, shown)
        if folder is None:
            found.append(f"{shown}: folder {top}/ is missing from the table in docs/architecture.md")
            continue
        folders, files = allowed[folder]
        with open(path, encoding="utf-8", errors="replace") as source:
            for number, line in enumerate(source, 1):
                message = LIST_VIEW_MESSAGE.search(line)
                if message and shown != LIST_VIEW_SENDER:
                    found.append(f"{shown}:{number}: {message.group(0)} is sent only by {LIST_VIEW_SENDER}")
                include = INCLUDE.match(line)
                if not include or "/" not in include.group(1):
                    continue
                target = include.group(1)
                if owner(allowed, target) not in folders and target not in files:
                    found.append(f"{shown}:{number}: {folder}/ must not include {target}")
    return found


def self_test():
    """Plants each kind of violation in a small tree; each must be reported, a clean tree not."""
    table = ("| Folder | What | May include |\n|---|---|---|\n"
             "| `base/` | x | nothing of the project |\n"
             "| `document/` | x | `base/` |\n"
             "| `editor/` | x | `base/`, `document/` |\n"
             "| `shell/` | x | `base/`, `document/`, `editor/` |\n"
             "| `shell/session/` | x | `document/`, `shell/` |\n"
             "| `shell/panes/` | x | `shell/session/`, `shell/frame/view.h` |\n"
             "| `shell/frame/` | x | `shell/session/`, `shell/panes/` |\n"
             "| `creator/` | x | `base/`, `document/` |\n")
    clean = {"base/paths.h": '#include <string>\n', "document/record.h": '#include "base/paths.h"\n',
             "editor/dialog.cpp": '#include "document/record.h"\n#include "editor/dialog.h"\n',
             "shell/main.cpp": '#include "editor/dialog.h"\n', "shell/quorbelind.rc": '#include "editor/editor.rc"\n',
             "shell/session/core.cpp": '#include "document/record.h"\n#include "shell/ids.h"\n',
             "shell/panes/pane.cpp": '#include "shell/session/core.h"\n#include "shell/frame/view.h"\n',
             "shell/frame/frame.cpp": '#include "shell/panes/pane.h"\n#include "shell/session/core.h"\n',
             "shell/frame/list_view_control.cpp": 'SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0);\n',
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
        ("row names a folder below it", {"docs/architecture.md": table.replace("`document/` | x | `base/` |", "`document/` | x | `base/`, `editor/` |")}),
        ("library names a program", {"docs/architecture.md": table + "| `cards/` | x | `shell/` |\n",
                                     "shell/CMakeLists.txt": "add_executable(Main main.cpp)\n"}),
        ("folder links a library above it", {"document/CMakeLists.txt": "add_library(document_core STATIC x.cpp)\n"
                                             "target_link_libraries(document_core PUBLIC\n  base_core editor_core)\n"}),
        ("program includes another program", {"creator/main.cpp": '#include "shell/main.h"\n'}),
        ("program links another program's library", {"creator/CMakeLists.txt": "target_link_libraries(Creator shell_core)\n"}),
        ("sub-folder includes the part above it", {"shell/session/rules.cpp": '#include "shell/frame/frame.h"\n'}),
        ("sub-folder includes a file beyond the one it may", {"shell/panes/more.cpp": '#include "shell/frame/x.h"\n'}),
        ("list-view message sent elsewhere", {"shell/frame/frame.cpp": "SendMessageA(list, LVM_DELETEITEM, 0, 0);\n"}),
        ("list-view macro used elsewhere", {"editor/dialog.cpp": "ListView_SetItemState(list, 0, 0, 2);\n"}),
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
