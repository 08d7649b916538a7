#include "vcl/component.h"

namespace vcl {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->owned_.emplace_back(this);
}

TComponent::~TComponent() { DestroyComponents(); }

void TComponent::DestroyComponents() {
  while (!owned_.empty()) {
    std::unique_ptr<TComponent> last = std::move(owned_.back());
    owned_.pop_back();
    last.reset();
  }
}

}  // namespace vcl
