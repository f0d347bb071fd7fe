// The handlers a form has bound to its controls' events. Each binding is
// let go when the form goes, so that a control or window that outlives its
// form (a window destroyed after its form, as at the end of a second start)
// raises nothing instead of calling into a destroyed object.
#pragma once

#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

namespace platform {

class EventBindings {
 public:
  EventBindings() = default;
  ~EventBindings() {
    for (const Release& r : releases_) r.release(r.event);
  }
  EventBindings(const EventBindings&) = delete;
  EventBindings& operator=(const EventBindings&) = delete;

  // The event must outlive this object, as a form's controls outlive it.
  template <class Signature>
  void Bind(std::function<Signature>& event,
            std::type_identity_t<std::function<Signature>> handler) {
    event = std::move(handler);
    // One release function for each signature, not one for each handler.
    releases_.push_back(
        {&event, [](void* bound) { *static_cast<std::function<Signature>*>(bound) = nullptr; }});
  }

  // A handler that is a member function of owner: every handler of one
  // signature then shares one type, and the program one copy of the code
  // that stores and calls it.
  template <class Signature, class Owner, class Method>
  void Bind(std::function<Signature>& event, Owner* owner, Method method) {
    Bind(event, std::function<Signature>(MemberCall<Owner, Method>{owner, method}));
  }

 private:
  template <class Owner, class Method>
  struct MemberCall {
    Owner* owner;
    Method method;
    template <class... Args>
    auto operator()(Args&&... args) const {
      return (owner->*method)(std::forward<Args>(args)...);
    }
  };
  struct Release {
    void* event;
    void (*release)(void*);
  };
  std::vector<Release> releases_;
};

}  // namespace platform
