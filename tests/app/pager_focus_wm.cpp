// A stand-in window manager for the end-to-end tests: it gives the keyboard focus only when a
// pager asks for it (an EWMH _NET_ACTIVE_WINDOW request with source indication 2, as panels and
// xdotool send) and refuses the requests programs make for themselves (source 1, which Qt's
// activateWindow() sends), as a window manager that prevents focus stealing may. It manages
// nothing else: windows map and place themselves. It runs until it is ended.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

template <class Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* C, const char* Name) {
  Owned<xcb_intern_atom_reply_t> Reply(
      xcb_intern_atom_reply(C, xcb_intern_atom(C, 0, static_cast<uint16_t>(std::strlen(Name)), Name), nullptr),
      &std::free);
  return Reply ? Reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

void SetWindowProperty(xcb_connection_t* C, xcb_window_t On, xcb_atom_t Property, xcb_window_t Value) {
  xcb_change_property(C, XCB_PROP_MODE_REPLACE, On, Property, XCB_ATOM_WINDOW, 32, 1, &Value);
}

}  // namespace

int main() {
  xcb_connection_t* C = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(C)) {
    std::fprintf(stderr, "pager_focus_wm: cannot open the display\n");
    return 1;
  }
  const xcb_window_t Root = xcb_setup_roots_iterator(xcb_get_setup(C)).data->root;
  const xcb_atom_t ActiveWindow = Atom(C, "_NET_ACTIVE_WINDOW");
  const xcb_atom_t SupportingCheck = Atom(C, "_NET_SUPPORTING_WM_CHECK");
  const xcb_atom_t Utf8 = Atom(C, "UTF8_STRING");

  // A client message to the root window reaches those who selected the events it is sent for:
  // xdotool sends activation requests for substructure events, Qt for structure events.
  const uint32_t Events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(C, Root, XCB_CW_EVENT_MASK, &Events);

  // The EWMH marks of a window manager that supports activation requests.
  const xcb_window_t Check = xcb_generate_id(C);
  xcb_create_window(C, XCB_COPY_FROM_PARENT, Check, Root, -1, -1, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                    XCB_COPY_FROM_PARENT, 0, nullptr);
  const char Name[] = "pager_focus_wm";
  xcb_change_property(C, XCB_PROP_MODE_REPLACE, Check, Atom(C, "_NET_WM_NAME"), Utf8, 8, sizeof Name - 1, Name);
  SetWindowProperty(C, Check, SupportingCheck, Check);
  SetWindowProperty(C, Root, SupportingCheck, Check);
  // One desktop, which panels with a task bar (tint2) wait for.
  const xcb_atom_t Desktops = Atom(C, "_NET_NUMBER_OF_DESKTOPS");
  const xcb_atom_t CurrentDesktop = Atom(C, "_NET_CURRENT_DESKTOP");
  const uint32_t One = 1, First = 0;
  xcb_change_property(C, XCB_PROP_MODE_REPLACE, Root, Desktops, XCB_ATOM_CARDINAL, 32, 1, &One);
  xcb_change_property(C, XCB_PROP_MODE_REPLACE, Root, CurrentDesktop, XCB_ATOM_CARDINAL, 32, 1, &First);
  const xcb_atom_t Supported[] = {ActiveWindow, SupportingCheck, Desktops, CurrentDesktop};
  xcb_change_property(C, XCB_PROP_MODE_REPLACE, Root, Atom(C, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 32, 4, Supported);
  xcb_flush(C);

  while (xcb_generic_event_t* Event = xcb_wait_for_event(C)) {
    const Owned<xcb_generic_event_t> Owner(Event, &std::free);
    if ((Event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) continue;
    const auto* Message = reinterpret_cast<const xcb_client_message_event_t*>(Event);
    if (Message->type != ActiveWindow) continue;
    const uint32_t Source = Message->data.data32[0];
    std::printf("%s _NET_ACTIVE_WINDOW 0x%x from source %u\n", Source == 2 ? "granted" : "refused", Message->window,
                Source);
    std::fflush(stdout);
    if (Source != 2) continue;
    const uint32_t Above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(C, Message->window, XCB_CONFIG_WINDOW_STACK_MODE, &Above);
    xcb_set_input_focus(C, XCB_INPUT_FOCUS_POINTER_ROOT, Message->window, XCB_CURRENT_TIME);
    SetWindowProperty(C, Root, ActiveWindow, Message->window);
    xcb_flush(C);
  }
  return 0;
}
