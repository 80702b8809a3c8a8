#include "qt/icon.h"

#include <unordered_map>

namespace {

std::unordered_map<uint32_t, const TIcon*>& LiveHandles() {
  static std::unordered_map<uint32_t, const TIcon*> Handles;
  return Handles;
}

uint32_t NextHandle = 1;

}  // namespace

TIcon::~TIcon() { ReleaseHandle(); }

uint32_t TIcon::Handle() const {
  if (FImage.isNull()) return 0;
  if (FHandle == 0) {
    FHandle = NextHandle++;
    LiveHandles()[FHandle] = this;
  }
  return FHandle;
}

void TIcon::Assign(const TIcon& Source) { SetImage(Source.FImage); }

void TIcon::SetImage(const QIcon& Image) {
  if (FHandle != 0) LiveHandles().erase(FHandle);
  FHandle = 0;
  FImage = Image;
  Changed();
}

void TIcon::ReleaseHandle() {
  if (FHandle != 0) LiveHandles().erase(FHandle);
  FHandle = 0;
  FImage = QIcon();
}

const TIcon* TIcon::FromHandle(uint32_t Handle) {
  const auto Found = LiveHandles().find(Handle);
  return Found == LiveHandles().end() ? nullptr : Found->second;
}

void TIcon::Changed() {
  if (OnChange) OnChange();
}
