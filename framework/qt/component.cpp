#include "qt/component.h"

#include <QVariant>

namespace {

constexpr const char* kDesigningProperty = "designing";

}  // namespace

TComponent::TComponent(QObject* Owner) : QObject(Owner) {
  FDesigning = Owner != nullptr && Owner->property(kDesigningProperty).toBool();
}

void TComponent::FreeNotification(QObject* Component) {
  if (Component == nullptr) return;
  // Connected with this object as the context, so the connection ends with either side.
  // Asking twice notifies twice, which Notification handles like once.
  connect(Component, &QObject::destroyed, this,
          [this](QObject* Destroyed) { Notification(Destroyed, TOperation::opRemove); },
          Qt::DirectConnection);
}

void TComponent::Notification(QObject*, TOperation) {}

void SetDesigning(QObject* Form, bool Designing) {
  Form->setProperty(kDesigningProperty, Designing);
}

void LoadFormDescription(QObject* Form, const std::function<void()>& Describe) {
  const auto Components = Form->findChildren<TComponent*>(Qt::FindChildrenRecursively);
  for (TComponent* Component : Components) Component->SetLoading();
  Describe();
  for (TComponent* Component : Components) Component->Loaded();
}
