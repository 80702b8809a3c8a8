"""atspi_events.py APP, run by accessibility.py with /usr/bin/python3: prints each notification APP
shows on the accessibility bus, as Orca hears it, as a JSON line; "ready" once it listens."""

import json
import sys

import pyatspi


def shown(event):
    source = event.source
    source.clear_cache()  # Qt tells that the name changed, not the name
    if event.detail1 and source.getRole() == pyatspi.ROLE_NOTIFICATION and source.getApplication().name == sys.argv[1]:
        print(json.dumps({"window": source.parent.name, "text": source.name}, ensure_ascii=False), flush=True)


pyatspi.Registry.registerEventListener(shown, "object:state-changed:showing")
print("ready", flush=True)
pyatspi.Registry.start()
