#pragma once

#include <QObject>

#include <functional>

enum class TOperation { opInsert, opRemove };

// A Qt object with the framework's component states. Owned by its Qt parent (its owner).
// - Designing: the component lives in a form designer, where it must not act on the desktop. It
//   takes the state from an owner that is designing (a form marked with SetDesigning).
// - Loading: the component's form description is being read; property writes only store their
//   values until Loaded runs.
// Free notification: a component asks another object to tell it, through Notification, when
// that object is destroyed, so it can drop its references to it.
class TComponent : public QObject {
  Q_OBJECT
public:
  explicit TComponent(QObject* Owner);

  bool Designing() const { return FDesigning; }
  bool Loading() const { return FLoading; }

  void SetLoading() { FLoading = true; }
  // Runs once the form description has been read; ends the loading state.
  virtual void Loaded() { FLoading = false; }

  void FreeNotification(QObject* Component);

protected:
  virtual void Notification(QObject* Component, TOperation Operation);

private:
  bool FDesigning = false;
  bool FLoading = false;
};

// Marks a form as being in the form designer; components created with it as owner afterwards
// are designing.
void SetDesigning(QObject* Form, bool Designing);

// Reads a form description: every component owned by Form counts as loading while Describe sets
// the properties, then each one's Loaded runs, in the order the components were created.
void LoadFormDescription(QObject* Form, const std::function<void()>& Describe);
