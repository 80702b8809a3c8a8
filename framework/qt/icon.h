#pragma once

#include <QIcon>
#include <QList>
#include <QObject>

#include <cstdint>
#include <functional>

// An image with a numeric handle, as the notification-area record carries it. The handle is 0
// while the image is empty; otherwise it is allocated on first request and stays the same until
// the image is emptied or the TIcon destroyed. Changing the image through Assign or SetImage
// calls OnChange.
class TIcon {
public:
  TIcon() = default;
  ~TIcon();
  TIcon(const TIcon&) = delete;
  TIcon& operator=(const TIcon&) = delete;

  bool Empty() const { return FImage.isNull(); }
  const QIcon& Image() const { return FImage; }
  uint32_t Handle() const;

  // Copies the image of Source.
  void Assign(const TIcon& Source);
  void SetImage(const QIcon& Image);

  // Empties the image and gives up its handle, without a change notification.
  void ReleaseHandle();

  std::function<void()> OnChange;

  // The image that a live handle stands for, or null.
  static const TIcon* FromHandle(uint32_t Handle);

private:
  QIcon FImage;
  mutable uint32_t FHandle = 0;
  void Changed();
};

// An ordered list of images (the frames of an animation).
class TImageList : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;
  QList<QIcon> Images;
};
