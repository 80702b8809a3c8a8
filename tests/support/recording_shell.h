#pragma once

#include <map>
#include <utility>
#include <vector>

#include "tray/notify_icon.h"

// A notification area that records every call with a copy of its record, and answers as told.
class RecordingShell : public NotifyIconShell {
public:
  struct Call {
    uint32_t Message;
    NOTIFYICONDATAA Data;
  };
  std::vector<Call> Calls;
  bool Accept = true;
  bool TrayAvailable = true;

  // The menu handed for each icon (window, identifier), as the notification area holds it.
  std::map<std::pair<HWND, uint32_t>, QMenu*> Menus;

  bool Available() override { return TrayAvailable; }

  void SetIconMenu(HWND Window, uint32_t Identifier, QMenu* Menu) override {
    Menus[{Window, Identifier}] = Menu;
  }

  bool NotifyIcon(uint32_t Message, const NOTIFYICONDATAA& Data) override {
    Calls.push_back({Message, Data});
    if (Message == NIM_DELETE) Menus.erase({Data.hWnd, Data.uID});
    return Message == NIM_DELETE || Accept;
  }

  std::vector<uint32_t> Messages() const {
    std::vector<uint32_t> Result;
    for (const auto& C : Calls) Result.push_back(C.Message);
    return Result;
  }
};
