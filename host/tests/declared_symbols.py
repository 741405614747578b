#!/usr/bin/env python3
"""Fails when a header under include/maya declares a function (or a static
data member) that the host library does not define.

A plug-in compiled against such a header links, then fails to load: the
symbol is missing at run time. clang lists what the headers declare, with
each declaration's mangled name; nm lists what the library defines.

usage: declared_symbols.py CLANG NM INCLUDE_DIR LIBRARY
"""

import json
import os
import subprocess
import sys
import tempfile

# Declared for the plug-in to define, not the host.
PLUGIN_DEFINED = {"initializePlugin", "uninitializePlugin", "MApiVersion"}

FUNCTION_KINDS = {
    "FunctionDecl",
    "CXXMethodDecl",
    "CXXConstructorDecl",
    "CXXDestructorDecl",
    "CXXConversionDecl",
}


class Walker:
    """Visits the AST in dump order. The dump names a location's file only
    when it differs from the location printed before, so the file is carried
    along from one location to the next."""

    def __init__(self, header_dir):
        self.header_dir = os.path.realpath(header_dir) + os.sep
        self.file = ""
        self.declared = {}  # mangled name -> readable name
        self.defined = set()  # mangled names with a body in the headers

    def location(self, loc):
        if not isinstance(loc, dict):
            return
        if "expansionLoc" in loc:
            self.location(loc.get("spellingLoc"))
            self.location(loc["expansionLoc"])
        elif "file" in loc:
            self.file = loc["file"]

    def visit(self, node, record=None, private=False):
        if not isinstance(node, dict):
            return
        self.location(node.get("loc"))
        in_headers = os.path.realpath(self.file).startswith(self.header_dir)
        rng = node.get("range", {})
        self.location(rng.get("begin"))
        self.location(rng.get("end"))

        kind = node.get("kind")
        # A private copy constructor or assignment left undefined is how a
        # class forbids copies; nothing outside the class can call it.
        if in_headers and not private and kind in FUNCTION_KINDS:
            self.function(node, record)
        elif in_headers and not private and kind == "VarDecl":
            self.variable(node, record)
        members_private = False
        if kind in ("CXXRecordDecl", "ClassTemplateDecl"):
            record = node.get("name", record)
            members_private = node.get("tagUsed") == "class"
        for child in node.get("inner", []):
            if child.get("kind") == "AccessSpecDecl":
                members_private = child.get("access") == "private"
            self.visit(child, record, members_private)

    def function(self, node, record):
        mangled = node.get("mangledName")
        if not mangled or node.get("isImplicit") or node.get("name") in PLUGIN_DEFINED:
            return
        if node.get("explicitlyDeleted") or node.get("explicitlyDefaulted") or node.get("pure"):
            return
        if any(c.get("kind") == "CompoundStmt" for c in node.get("inner", [])):
            self.defined.add(mangled)
            return
        name = node.get("name", "")
        self.declared[mangled] = f"{record}::{name}" if record else name

    def variable(self, node, record):
        mangled = node.get("mangledName")
        if not mangled or node.get("name") in PLUGIN_DEFINED:
            return
        # A static member with its value in the class needs no definition.
        if node.get("storageClass") != "static" or "init" in node or not record:
            return
        self.declared[mangled] = f"{record}::{node.get('name', '')}"


def declared_symbols(clang, include_dir):
    header_dir = os.path.join(include_dir, "maya")
    headers = sorted(h for h in os.listdir(header_dir) if h.endswith(".h"))
    with tempfile.NamedTemporaryFile("w", suffix=".cpp", delete=False) as source:
        for header in headers:
            source.write(f"#include <maya/{header}>\n")
    try:
        dump = subprocess.run(
            [clang, "-std=c++17", "-fsyntax-only", "-I", include_dir,
             "-Xclang", "-ast-dump=json", source.name],
            check=True, capture_output=True, text=True).stdout
    finally:
        os.unlink(source.name)
    walker = Walker(header_dir)
    walker.visit(json.loads(dump))
    return {m: n for m, n in walker.declared.items() if m not in walker.defined}


def defined_symbols(nm, library):
    listing = subprocess.run([nm, "-D", "--defined-only", library],
                             check=True, capture_output=True, text=True).stdout
    return {line.split()[-1] for line in listing.splitlines() if line.strip()}


def main():
    if len(sys.argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    clang, nm, include_dir, library = sys.argv[1:]
    declared = declared_symbols(clang, include_dir)
    defined = defined_symbols(nm, library)
    missing = sorted((name, mangled) for mangled, name in declared.items()
                     if mangled not in defined)
    for name, mangled in missing:
        print(f"declared but not defined: {name} ({mangled})")
    print(f"{len(declared)} declarations checked, {len(missing)} missing")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
