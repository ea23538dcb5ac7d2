#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "../base/Object.h"
#include "../base/Unit.h"

namespace CCC {

// One name of an encoding and its identifier.
struct CenDictionaryEntry {
    CeId id;
    const char* name;
};

// Orders names with ASCII letters folded to lower case; other bytes compare
// as themselves.
struct CaseInsensitiveLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

// Encoding names to identifiers, case-insensitively. Built from the name
// table when the library starts.
class CenDictionary : public Object {
public:
    CenDictionary();

    // The identifier of a name; 0 when the name is unknown.
    CeId find(std::string_view name) const;
    std::size_t size() const { return entries_.size(); }

private:
    std::map<std::string, CenDictionaryEntry, CaseInsensitiveLess> entries_;
};

} // namespace CCC
