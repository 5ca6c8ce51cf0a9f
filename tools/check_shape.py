#!/usr/bin/env python3
"""Checks the shape of the sources outside tests/: no file over 400 lines, no function over 60.

Usage:  python3 tools/check_shape.py [ROOT]

C++ functions are found by their braces (comments and literals left out): a block whose head
has a parameter list and is not a control statement, outside any other function.  A function's
length runs from the line its head begins on to its closing brace.  Python functions are read
with ast.  Prints what is over and exits 1 if anything is.
"""
import ast
import os
import re
import sys

MAX_FILE_LINES = 400
MAX_FUNCTION_LINES = 60
FOLDERS = ["framework", "animation", "transitions", "motion", "dialogs", "app", "res", "support",
           "tools"]
SOURCES = (".cpp", ".h", ".py", ".sh", ".rc")


def without_comments_and_literals(text):
    keep_lines = lambda m: "\n" * m.group(0).count("\n")
    text = re.sub(r"/\*.*?\*/", keep_lines, text, flags=re.S)
    text = re.sub(r"//[^\n]*", "", text)
    text = re.sub(r'"(\\.|[^"\\\n])*"', '""', text)
    return re.sub(r"'(\\.|[^'\\\n])*'", "''", text)


def block_kind(head, inside_function):
    if inside_function:
        return "block"
    if re.search(r"\bnamespace\b|^extern\b", head):
        return "namespace"
    if re.match(r"(template\s*<.*>\s*)?(class|struct|union|enum)\b", head, re.S):
        return "type"
    if ")" in head and not re.match(r"(if|for|while|switch|else|do|catch)\b", head):
        return "function"
    return "block"


def cpp_functions(text):
    """(length, first line, head) of every function defined in text."""
    text = without_comments_and_literals(text)
    stack, found, line, head_start = [], [], 1, 0
    for i, ch in enumerate(text):
        if ch == "\n":
            line += 1
        elif ch == "{":
            head = text[head_start:i]
            first = line - head.lstrip().count("\n")
            inside = any(kind == "function" for kind, _, _ in stack)
            stack.append((block_kind(head.strip(), inside), first, " ".join(head.split())[:70]))
            head_start = i + 1
        elif ch in "};":
            if ch == "}" and stack:
                kind, first, head = stack.pop()
                if kind == "function":
                    found.append((line - first + 1, first, head))
            head_start = i + 1
    return found


def python_functions(text):
    return [(node.end_lineno - node.lineno + 1, node.lineno, node.name)
            for node in ast.walk(ast.parse(text))
            if isinstance(node, (ast.FunctionDef, ast.AsyncFunctionDef))]


def problems(root):
    for folder in FOLDERS:
        for directory, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if not name.endswith(SOURCES):
                    continue
                path = os.path.join(directory, name)
                with open(path, encoding="utf-8", errors="replace") as source:
                    text = source.read()
                shown = os.path.relpath(path, root)
                lines = text.count("\n")
                if lines > MAX_FILE_LINES:
                    yield f"{shown}: {lines} lines"
                if name.endswith((".cpp", ".h")):
                    functions = cpp_functions(text)
                elif name.endswith(".py"):
                    functions = python_functions(text)
                else:
                    functions = []
                for length, first, head in functions:
                    if length > MAX_FUNCTION_LINES:
                        yield f"{shown}:{first}: a function of {length} lines: {head}"


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    found = list(problems(root))
    for problem in found:
        print(problem)
    print(f"{len(found)} over {MAX_FILE_LINES} lines a file or {MAX_FUNCTION_LINES} a function")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
