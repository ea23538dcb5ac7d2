#pragma once

#include "CenDictionary.h"
#include "IFilterDictionary.h"

namespace CCC {

// The encoding library's state: the name and route dictionaries, built by
// its start-up function (slot 3 of Ccc) and destroyed by its stop function.
class EncodingLibrary {
public:
    // nullptr before start-up and after shut-down.
    static const CenDictionary* names();
    static const IFilterDictionary* routes();

    // flag 1: build the name dictionary, then the route dictionary;
    // flag 0: destroy them in the opposite order. Always succeeds.
    static bool startup(int flag);
};

} // namespace CCC
