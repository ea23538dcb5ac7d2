#include "EncodingLibrary.h"

#include "Ccc.h"

namespace CCC {

namespace {

CenDictionary* nameDictionary = nullptr;
IFilterDictionary* routeDictionary = nullptr;

// Registered from this file because every dictionary lookup links it in:
// a program that uses Iceman always finds the slot filled.
[[maybe_unused]] const int registration = Ccc::registerStartup(Ccc::kEncodingSlot, &EncodingLibrary::startup);

} // namespace

const CenDictionary* EncodingLibrary::names() { return nameDictionary; }
const IFilterDictionary* EncodingLibrary::routes() { return routeDictionary; }

bool EncodingLibrary::startup(int flag) {
    if (flag) {
        if (!nameDictionary) nameDictionary = new CenDictionary();
        if (!routeDictionary) routeDictionary = new IFilterDictionary();
    } else {
        delete routeDictionary;
        routeDictionary = nullptr;
        delete nameDictionary;
        nameDictionary = nullptr;
    }
    return true;
}

} // namespace CCC
