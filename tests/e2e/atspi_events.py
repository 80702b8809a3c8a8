"""Run by accessibility.py with /usr/bin/python3: listens on the accessibility bus, as a screen
reader does, and prints each notification APP shows as a JSON line (its role and its name, the
text told); "ready" once it listens.

  atspi_events.py APP
"""

import json
import sys

import pyatspi


def main():
    def changed(event):
        source = event.source
        try:
            source.clear_cache()  # the name Qt tells changed is not sent along
            if source.getApplication().name != sys.argv[1]:
                return
            if not event.detail1 or source.getRole() != pyatspi.ROLE_NOTIFICATION:
                return
            print(json.dumps({"role": source.getRoleName(), "name": source.name,
                              "window": source.parent.name}, ensure_ascii=False), flush=True)
        except Exception as error:  # the control may be gone already
            print("atspi_events:", error, file=sys.stderr, flush=True)

    pyatspi.Registry.registerEventListener(changed, "object:state-changed:showing")
    print("ready", flush=True)
    pyatspi.Registry.start()


if __name__ == "__main__":
    main()
