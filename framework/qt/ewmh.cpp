#include "qt/ewmh.h"

#include "qt/xcb_connection.h"

xcb_client_message_event_t ClientMessage(xcb_window_t Window, xcb_atom_t Type, const std::array<uint32_t, 5>& Data) {
  xcb_client_message_event_t Message{};
  Message.response_type = XCB_CLIENT_MESSAGE;
  Message.format = 32;
  Message.window = Window;
  Message.type = Type;
  for (size_t I = 0; I < Data.size(); ++I) Message.data.data32[I] = Data[I];
  return Message;
}

void SendClientMessage(xcb_connection_t* C, xcb_window_t Destination, uint32_t Mask,
                       const xcb_client_message_event_t& Message) {
  xcb_send_event(C, 0, Destination, Mask, reinterpret_cast<const char*>(&Message));
  xcb_flush(C);
}

void RequestOfWindowManager(xcb_connection_t* C, xcb_window_t Window, const QByteArray& Type,
                            const std::array<uint32_t, 5>& Data) {
  SendClientMessage(C, XcbRootWindow(C), XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                    ClientMessage(Window, XcbAtom(C, Type), Data));
}

void SetProperty32(xcb_connection_t* C, xcb_window_t Window, xcb_atom_t Property, xcb_atom_t Type,
                   std::span<const uint32_t> Values) {
  xcb_change_property(C, XCB_PROP_MODE_REPLACE, Window, Property, Type, 32,
                      static_cast<uint32_t>(Values.size()), Values.data());
  xcb_flush(C);
}

void AppendProperty32(xcb_connection_t* C, xcb_window_t Window, xcb_atom_t Property, xcb_atom_t Type,
                      std::span<const uint32_t> Values) {
  xcb_change_property(C, XCB_PROP_MODE_APPEND, Window, Property, Type, 32,
                      static_cast<uint32_t>(Values.size()), Values.data());
  xcb_flush(C);
}

void DeleteProperty(xcb_connection_t* C, xcb_window_t Window, xcb_atom_t Property) {
  xcb_delete_property(C, Window, Property);
  xcb_flush(C);
}

std::vector<uint32_t> ReadProperty32(xcb_connection_t* C, xcb_window_t Window, xcb_atom_t Property, xcb_atom_t Type) {
  constexpr uint32_t kMostItems = 4096;
  XcbReply<xcb_get_property_reply_t> Reply(
      xcb_get_property_reply(C, xcb_get_property(C, 0, Window, Property, Type, 0, kMostItems), nullptr), &std::free);
  if (!Reply || Reply->format != 32 || Reply->type != Type) return {};
  const auto* Items = static_cast<const uint32_t*>(xcb_get_property_value(Reply.get()));
  return std::vector<uint32_t>(Items, Items + xcb_get_property_value_length(Reply.get()) / 4);
}
