// The base of everything that lives on a form: a component owns the components created with it as
// owner and destroys them, newest first, when it goes.
#pragma once

#include <memory>
#include <vector>

namespace vcl {

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }

 protected:
  // Destroys the owned components now, newest first.
  void DestroyComponents();

 private:
  TComponent* owner_;
  std::vector<std::unique_ptr<TComponent>> owned_;
};

}  // namespace vcl
