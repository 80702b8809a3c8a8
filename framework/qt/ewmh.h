#pragma once

#include <QByteArray>

#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// The window manager conversation of the EWMH and ICCCM on the application's X connection: client
// messages and the 32-bit properties of windows.

// A 32-bit client message of type Type about Window.
xcb_client_message_event_t ClientMessage(xcb_window_t Window, xcb_atom_t Type, const std::array<uint32_t, 5>& Data);

// Sends a client message to Destination: with a mask of none it goes to the client that made
// Destination.
void SendClientMessage(xcb_connection_t* C, xcb_window_t Destination, uint32_t Mask,
                       const xcb_client_message_event_t& Message);

// Asks the window manager, through the root window, to change Window: a request named Type of the
// EWMH (_NET_WM_STATE, _NET_ACTIVE_WINDOW ...) with its data.
void RequestOfWindowManager(xcb_connection_t* C, xcb_window_t Window, const QByteArray& Type,
                            const std::array<uint32_t, 5>& Data);

// Replaces Window's property Property by Values, of Type (CARDINAL, ATOM, WINDOW ...) in 32-bit
// items.
void SetProperty32(xcb_connection_t* C, xcb_window_t Window, xcb_atom_t Property, xcb_atom_t Type,
                   std::span<const uint32_t> Values);

// Adds Values to the end of Window's property Property of Type.
void AppendProperty32(xcb_connection_t* C, xcb_window_t Window, xcb_atom_t Property, xcb_atom_t Type,
                      std::span<const uint32_t> Values);

void DeleteProperty(xcb_connection_t* C, xcb_window_t Window, xcb_atom_t Property);

// Window's property Property as 32-bit items of Type; empty when it is missing or of another form.
std::vector<uint32_t> ReadProperty32(xcb_connection_t* C, xcb_window_t Window, xcb_atom_t Property, xcb_atom_t Type);
