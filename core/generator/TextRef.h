#pragma once

#include <cstddef>

#include "ccc/base/TString.h"

namespace Orvane {

using DString = CCC::TString<unsigned short>;
using TextView = CCC::UnitStringView<unsigned short>;

// The text argument of an event: UTF-16 units the caller owns for the
// length of the call, or none. It reads like the pointer it stands for (a
// DString* or a view converts to it): tested for none, * and -> give the
// units as a view. Events heard through a GeneratorPipe get views of its
// blocks, so that no text is copied on the way.
class TextRef {
public:
    constexpr TextRef() = default;
    TextRef(const DString* text) : view_(text ? TextView(text->data(), text->size()) : TextView()) {}
    constexpr TextRef(const unsigned short* units, std::size_t n) : view_(units, n) {}
    constexpr TextRef(TextView view) : view_(view) {}

    // None has no units at all; an empty text has an address.
    explicit operator bool() const { return view_.data() != nullptr; }
    const TextView& operator*() const { return view_; }
    const TextView* operator->() const { return &view_; }

private:
    TextView view_;
};

} // namespace Orvane
