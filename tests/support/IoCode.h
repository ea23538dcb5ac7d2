#pragma once

// The code of the IOException an action throws (see ccc/base/Exception.h),
// 0 when it returns normally.

#include "ccc/base/Exception.h"

namespace qmtest {

template <class Action>
int ioCode(Action&& action) {
    try {
        action();
    } catch (const CCC::IOException& e) {
        return e.getCode();
    }
    return 0;
}

} // namespace qmtest
