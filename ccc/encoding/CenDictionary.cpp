#include "CenDictionary.h"

#include <algorithm>

#include "CeIdTable.h"

namespace CCC {

namespace {
unsigned char foldAscii(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}
} // namespace

bool CaseInsensitiveLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return foldAscii(x) < foldAscii(y); });
}

CenDictionary::CenDictionary() {
    const CeIdName* names = CeIdTable::names();
    for (std::size_t i = 0; i < CeIdTable::nameCount(); ++i)
        entries_.emplace(names[i].name, CenDictionaryEntry{names[i].id, names[i].name});
}

CeId CenDictionary::find(std::string_view name) const {
    auto it = entries_.find(name);
    return it == entries_.end() ? 0 : it->second.id;
}

} // namespace CCC
