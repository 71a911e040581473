// One owner for every resource that must be given back exactly once: OS handles, GDI
// objects, temporary files. Not copyable, movable; the traits say what "no resource" is and
// how to give one back.
#pragma once

#include <utility>

namespace platform {

// Traits: `using Value = ...;`, `static Value Empty();`, `static bool IsEmpty(const Value&)`
// and `static void Release(Value&)`.
template <typename Traits>
class Owned {
 public:
  using Value = typename Traits::Value;

  Owned() : value_(Traits::Empty()) {}
  explicit Owned(Value value) : value_(std::move(value)) {}
  ~Owned() { reset(); }

  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : value_(other.release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  const Value& get() const { return value_; }
  explicit operator bool() const { return !Traits::IsEmpty(value_); }

  // Gives the resource up without releasing it.
  Value release() {
    Value value = std::move(value_);
    value_ = Traits::Empty();
    return value;
  }
  void reset(Value value = Traits::Empty()) {
    if (!Traits::IsEmpty(value_)) Traits::Release(value_);
    value_ = std::move(value);
  }

 private:
  Value value_;
};

}  // namespace platform
