#pragma once

#include <string>

namespace tolvanw32 {

// The desktop program's text string: UTF-16, as the window layer holds it.
// Paths typed or chosen by the user arrive in this form; the core's file
// names are narrow byte strings (see StringConv).
using Text = std::u16string;

} // namespace tolvanw32
