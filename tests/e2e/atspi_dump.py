"""Run by accessibility.py with /usr/bin/python3 on the desktop's session bus, once per query, so
that every answer comes from a fresh connection to the accessibility bus.

  atspi_dump.py APP              prints the application's tree as JSON lines: role, name,
                                 description, states, extents, and for text the caret's offset
                                 and its characters' boxes
  atspi_dump.py APP ROLE NAME    performs the first action of that control ("Press")
"""

import json
import sys

import pyatspi

# Fields with short texts (results, keypad numbers) also tell where each character is drawn.
MAX_CHARACTER_BOXES = 64


def role_name(node):
    """The control's role as Debian 12's AT-SPI names it: Debian 13's (at-spi2-core 2.56) calls a
    push button "button"; the tests name it the one way on both."""
    role = node.getRoleName()
    return "push button" if role == "button" else role


def walk(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from walk(child)


def main():
    app = next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == sys.argv[1]), None)
    if app is None:
        return 3
    if len(sys.argv) == 4:
        for node in walk(app):
            if role_name(node) == sys.argv[2] and node.name == sys.argv[3]:
                node.queryAction().doAction(0)
                return 0
        return 4
    for node in walk(app):
        entry = {"role": role_name(node), "name": node.name, "description": node.description,
                 "states": [pyatspi.stateToString(s) for s in node.getState().getStates()]}
        try:
            entry["extents"] = list(node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS))
        except NotImplementedError:
            pass
        try:
            text = node.queryText()
            entry["text"] = text.getText(0, -1)
            entry["caret"] = text.caretOffset
            if len(entry["text"]) <= MAX_CHARACTER_BOXES:
                entry["characters"] = [list(text.getCharacterExtents(offset, pyatspi.DESKTOP_COORDS))
                                       for offset in range(len(entry["text"]))]
        except NotImplementedError:
            pass
        print(json.dumps(entry, ensure_ascii=False))
    return 0


if __name__ == "__main__":
    sys.exit(main())
