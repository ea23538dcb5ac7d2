#pragma once

namespace CCC {

// Root of the library's class tree: every flow, filter and exception derives
// from it, so an owner can hold and delete any of them through one type.
class Object {
public:
    Object() = default;
    Object(const Object&) = default;
    Object& operator=(const Object&) = default;
    virtual ~Object() = default;
};

} // namespace CCC
