#pragma once
// Root of the objects a container hands to a control without naming their type
// (what a late-bound automation object was); a receiver asks for the interface
// it needs with dynamic_cast and copes with a refusal.

namespace orlix::graphon {

class Object {
 public:
  Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object() = default;
};

}  // namespace orlix::graphon
