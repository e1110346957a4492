"""Files dragged onto a Wine window from another X client, as a file manager drags them: the
XDND protocol, with the files offered as text/uri-list. Wine asks for the list as soon as the
drag enters and gives up on it after about half a second, so one loop answers every request
while it walks the drag through enter, position and drop."""

import select
import time
import urllib.parse

from Xlib import X, Xatom, display
from Xlib.protocol import event

from harness import expect

OUR_VERSION = 5


def uri_list(paths):
    """file:// URIs of local files, UTF-8 percent-encoded, each line ended by CR LF."""
    return "".join("file://" + urllib.parse.quote(str(path)) + "\r\n" for path in paths).encode("ascii")


class Drag:
    def __init__(self, display_name):
        self.display = display.Display(display_name)
        self.root = self.display.screen().root
        self.atom = {name: self.display.intern_atom(name) for name in (
            "XdndAware", "XdndSelection", "XdndEnter", "XdndPosition", "XdndStatus", "XdndDrop",
            "XdndLeave", "XdndFinished", "XdndActionCopy", "text/uri-list", "TARGETS", "_NET_WM_NAME",
            "UTF8_STRING")}
        self.source = self.root.create_window(-10, -10, 1, 1, 0, 0, X.InputOnly, X.CopyFromParent)

    def close(self):
        self.source.destroy()
        self.display.close()

    def _title(self, window):
        name = window.get_full_property(self.atom["_NET_WM_NAME"], self.atom["UTF8_STRING"])
        if name is not None:
            return name.value.decode("utf-8", "replace")
        return window.get_wm_name() or ""

    def windows_titled(self, title):
        """Every viewable window that takes drops and carries `title`, anywhere in the tree (on
        Wine's virtual desktop the program's windows are children of the desktop's)."""
        found, pending = [], [self.root]
        while pending:
            window = pending.pop()
            children = window.query_tree().children
            pending.extend(children)
            if window == self.root:
                continue
            try:
                if (window.get_attributes().map_state == X.IsViewable and self._title(window) == title
                        and window.get_full_property(self.atom["XdndAware"], Xatom.ATOM) is not None):
                    found.append(window)
            except Exception:  # a window that went away while the tree was read
                continue
        return found

    def _message(self, target, kind, data):
        target.send_event(event.ClientMessage(window=target, client_type=self.atom[kind],
                                              data=(32, (data + [0] * 5)[:5])), event_mask=0)
        self.display.flush()

    def _answer(self, request, payload):
        """The selection as the requester asked for it: the list, the targets, or a refusal."""
        prop = request.property or request.target
        if request.target == self.atom["text/uri-list"]:
            request.requestor.change_property(prop, request.target, 8, payload)
        elif request.target == self.atom["TARGETS"]:
            request.requestor.change_property(prop, Xatom.ATOM, 32, [self.atom["text/uri-list"]])
        else:
            prop = X.NONE
        request.requestor.send_event(event.SelectionNotify(
            time=request.time, requestor=request.requestor, selection=request.selection,
            target=request.target, property=prop), event_mask=0)
        self.display.flush()

    def drop(self, target, paths, timeout=10.0):
        """Drags `paths` onto the middle of `target` and drops them; what the target answered."""
        payload = uri_list(paths)
        aware = target.get_full_property(self.atom["XdndAware"], Xatom.ATOM)
        version = min(OUR_VERSION, aware.value[0])
        self.source.set_selection_owner(self.atom["XdndSelection"], X.CurrentTime)
        geometry = target.get_geometry()
        middle = self.root.translate_coords(target, geometry.width // 2, geometry.height // 2)
        source = self.source.id
        self._message(target, "XdndEnter", [source, version << 24, self.atom["text/uri-list"]])
        self._message(target, "XdndPosition", [source, 0, (middle.x << 16) | middle.y, X.CurrentTime,
                                               self.atom["XdndActionCopy"]])
        outcome = {"requests": 0, "accepted": None, "finished": False}
        deadline = time.monotonic() + timeout
        while not outcome["finished"] and time.monotonic() < deadline:
            if not self.display.pending_events():
                select.select([self.display.fileno()], [], [], 0.05)
                continue
            happened = self.display.next_event()
            if happened.type == X.SelectionRequest:
                outcome["requests"] += 1
                self._answer(happened, payload)
            elif happened.type == X.ClientMessage and happened.client_type == self.atom["XdndStatus"]:
                if outcome["accepted"] is None:
                    outcome["accepted"] = bool(happened.data[1][1] & 1)
                    if outcome["accepted"]:
                        self._message(target, "XdndDrop", [source, 0, X.CurrentTime])
                    else:
                        self._message(target, "XdndLeave", [source])
                        break
            elif happened.type == X.ClientMessage and happened.client_type == self.atom["XdndFinished"]:
                outcome["finished"] = True
        return outcome


def drop_files(t, title, paths):
    """Drops files inside the prefix (their Unix paths) on the viewable window titled `title`."""
    drag = Drag(t.env.env["DISPLAY"])
    try:
        deadline = time.monotonic() + 10
        targets = drag.windows_titled(title)
        while len(targets) != 1 and time.monotonic() < deadline:
            time.sleep(0.2)
            targets = drag.windows_titled(title)
        expect(len(targets) == 1, f"X windows titled {title!r} that take drops: {targets}")
        outcome = drag.drop(targets[0], paths)
    finally:
        drag.close()
    expect(outcome["requests"] and outcome["accepted"] and outcome["finished"],
           f"the drag of {paths} ended as {outcome}")
