"""Run by accessibility.py with /usr/bin/python3: listens on the accessibility bus, as a screen
reader does, and prints each change of an accessible description in APP as a JSON line (the
control's role and name, and the new description); "ready" once it listens.

  atspi_events.py APP
"""

import json
import sys

import pyatspi


def main():
    def changed(event):
        source = event.source
        try:
            if source.getApplication().name != sys.argv[1]:
                return
            print(json.dumps({"role": source.getRoleName(), "name": source.name,
                              "description": str(event.any_data)}, ensure_ascii=False), flush=True)
        except Exception:  # the control may be gone already
            pass

    pyatspi.Registry.registerEventListener(changed, "object:property-change:accessible-description")
    print("ready", flush=True)
    pyatspi.Registry.start()


if __name__ == "__main__":
    main()
