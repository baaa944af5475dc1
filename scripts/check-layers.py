#!/usr/bin/env python3
"""Checks the layering of the libraries under src/.

Every folder with a CMakeLists.txt that calls kvt_add_library(NAME ...) is the library kvt_NAME;
a ui/ folder calling kvt_add_ui_library(NAME ...) is kvt_NAME_ui. A source file belongs to the
library of the nearest folder above it that declares one.

Two rules:
  1. Widgets only in the user interface: only src/app/ (kvt_app) and the ui/ libraries may
     include a widget header or depend on Qt6::Widgets or on a ui/ library.
  2. Dependencies equal includes: the kvt_ libraries and Qt6:: modules a library declares in
     DEPENDS are exactly those whose headers its files include.

Prints every breach and exits with 1 when there is one.
Usage: check-layers.py [--qt-headers DIR] [SOURCE_ROOT]
"""

import argparse
import os
import re
import subprocess
import sys

QT_MODULES = ["QtCore", "QtGui", "QtWidgets", "QtSql", "QtSerialPort", "QtMultimedia", "QtTest", "QtCharts"]
# Charts are drawn on widgets (QChartView is one).
WIDGET_MODULES = {"Widgets", "Charts"}
UI_LIBRARIES_OUTSIDE_UI_FOLDERS = {"kvt_app"}

DECLARATION = re.compile(r"kvt_add_(ui_)?library\(\s*(\w+)([^)]*)\)", re.S)
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def qt_header_folder(given):
    if given:
        return given
    try:
        return subprocess.run(["qtpaths6", "--query", "QT_INSTALL_HEADERS"], check=True,
                              capture_output=True, text=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        return "/usr/include/x86_64-linux-gnu/qt6"


def qt_header_modules(folder):
    """Header name -> Qt module ("Core", "Widgets", ...), for <QFoo> and <QtFoo/QFoo>."""
    modules = {}
    for module in QT_MODULES:
        path = os.path.join(folder, module)
        if not os.path.isdir(path):
            continue
        for name in os.listdir(path):
            modules.setdefault(name, module[2:])
            modules[module + "/" + name] = module[2:]
    return modules


def libraries(src):
    """Folder (relative to src) -> (library, declared kvt deps, declared Qt modules, is ui)."""
    found = {}
    for folder, _, files in os.walk(src):
        if "CMakeLists.txt" not in files:
            continue
        with open(os.path.join(folder, "CMakeLists.txt"), encoding="utf-8") as f:
            text = re.sub(r"#[^\n]*", "", f.read())
        for match in DECLARATION.finditer(text):
            ui, name, rest = match.group(1), match.group(2), match.group(3)
            words = rest.split()
            depends = words[words.index("DEPENDS") + 1:] if "DEPENDS" in words else []
            library = "kvt_" + name + ("_ui" if ui else "")
            kvt = {d for d in depends if d.startswith("kvt_")}
            qt = {d[len("Qt6::"):] for d in depends if d.startswith("Qt6::")}
            is_ui = bool(ui) or library in UI_LIBRARIES_OUTSIDE_UI_FOLDERS
            found[os.path.relpath(folder, src)] = (library, kvt, qt, is_ui)
    return found


def owner(relative_path, declared):
    folder = os.path.dirname(relative_path)
    while True:
        if folder in declared:
            return declared[folder][0]
        if not folder or folder == ".":
            return None
        folder = os.path.dirname(folder)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--qt-headers")
    parser.add_argument("root", nargs="?", default=os.path.join(os.path.dirname(__file__), ".."))
    args = parser.parse_args()
    src = os.path.join(os.path.abspath(args.root), "src")
    qt = qt_header_modules(qt_header_folder(args.qt_headers))
    if "QWidget" not in qt:
        print("check-layers: the Qt headers were not found", file=sys.stderr)
        return 2
    declared = libraries(src)
    by_name = {entry[0]: entry for entry in declared.values()}
    used_kvt = {name: set() for name in by_name}
    used_qt = {name: set() for name in by_name}
    breaches = []

    for folder, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(folder, name)
            relative = os.path.relpath(path, src)
            library = owner(relative, declared)
            if library is None:
                breaches.append(f"{relative}: belongs to no library")
                continue
            is_ui = by_name[library][3]
            with open(path, encoding="utf-8") as f:
                text = f.read()
            for quote, header in INCLUDE.findall(text):
                if quote == '"':
                    target = os.path.normpath(os.path.join(os.path.dirname(relative), header))
                    if not os.path.exists(os.path.join(src, target)):
                        target = os.path.normpath(header)
                    if not os.path.exists(os.path.join(src, target)):
                        breaches.append(f"{relative}: includes \"{header}\", which is no header of src/")
                        continue
                    other = owner(target, declared)
                    if other != library:
                        used_kvt[library].add(other)
                        if by_name[other][3] and not is_ui:
                            breaches.append(f"{relative}: includes the user-interface header \"{header}\"")
                elif header in qt:
                    module = qt[header]
                    used_qt[library].add(module)
                    if module in WIDGET_MODULES and not is_ui:
                        breaches.append(f"{relative}: includes the widget header <{header}>")

    for library, (_, kvt, qt_declared, is_ui) in sorted((e[0], e) for e in declared.values()):
        for extra in sorted(kvt - used_kvt[library]):
            breaches.append(f"{library}: declares {extra} but includes none of its headers")
        for missing in sorted(used_kvt[library] - kvt):
            breaches.append(f"{library}: includes headers of {missing} without declaring it")
        for extra in sorted(qt_declared - used_qt[library]):
            breaches.append(f"{library}: declares Qt6::{extra} but includes none of its headers")
        for missing in sorted(used_qt[library] - qt_declared):
            breaches.append(f"{library}: includes Qt {missing} headers without declaring Qt6::{missing}")
        if not is_ui:
            for dependency in sorted(kvt):
                if dependency in by_name and by_name[dependency][3]:
                    breaches.append(f"{library}: depends on the user-interface library {dependency}")
            if qt_declared & WIDGET_MODULES:
                for module in sorted(qt_declared & WIDGET_MODULES):
                    breaches.append(f"{library}: depends on Qt6::{module} below the user interface")

    for breach in breaches:
        print(breach)
    if breaches:
        print(f"check-layers: {len(breaches)} breach(es) of the layering", file=sys.stderr)
        return 1
    print(f"check-layers: {len(declared)} libraries, layering kept")
    return 0


if __name__ == "__main__":
    sys.exit(main())
