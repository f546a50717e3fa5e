"""Form1's own tables, read from the sources, for the Python drivers: the
window's layout (what every control is called, where it lies, in which focus
order) and the rows every platform replays."""

import ast
import os
import re


def read_description(source):
    """Form1 as laid out: its caption and controls, read from the window's own table."""
    text = open(os.path.join(source, "window", "form1_layout.cpp"), encoding="utf-8").read()
    controls = [dict(tab=int(m[0]), name=m[1], kind=m[2], caption=m[3],
                     left=int(m[4]), top=int(m[5]), width=int(m[6]), height=int(m[7]))
                for m in re.findall(r'\{(\d+), "(\w+)", (Button|TextBox), "([^"]*)", '
                                    r'(\d+), (\d+), (\d+), (\d+)\}', text)]
    caption = re.search(r'\.caption = "([^"]*)"', text)[1]
    return caption, sorted(controls, key=lambda c: c["tab"])


def read_accessible(source, table="accessibleNames"):
    """What a screen reader calls each control that has no caption, or with
    "accessibleDescriptions", what it says after a control's name."""
    text = open(os.path.join(source, "window", "form1_layout.cpp"), encoding="utf-8").read()
    text = text[text.index(table + "[]"):]
    return dict(re.findall(r'\{"(\w+)", "([^"]*)"\}', text[:text.index("};")]))


def read_cases(source):
    """The rows every platform replays, from the table the C++ drivers include."""
    rows = []
    path = os.path.join(source, "tests", "cases", "form1_cases.inc")
    for line in open(path, encoding="utf-8"):
        if line.startswith("CASE("):
            rows.append(ast.literal_eval(line.strip()[len("CASE"):]))
    return rows
