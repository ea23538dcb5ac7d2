#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "../base/TString.h"
#include "../base/Unit.h"
#include "../flow/CompositIFilter.h"
#include "../flow/Conveyer.h"
#include "../flow/StringFlow.h"
#include "../flow/Utility.h"

namespace CCC {

class CenDictionary;
class IFilterDictionary;

// The one door to the encoding library: names and identifiers, conversion
// chains, whole-string, file and memory conversions, and the detectors.
// Everything that needs a dictionary works only between Ccc::initialize()
// and Ccc::unInitialize(); outside that window lookups find nothing.
class Iceman {
public:
    // ---- identifiers and names ----

    // Canonical name, or nullptr for an identifier without names.
    static const char* ceIdToString(CeId id);
    // 1, 2 or 4; 0 for byte-swapped forms, detectors and unknown ids.
    static IOType getIOType(CeId id);
    // Case-insensitive (ASCII letters); 0 for an unknown or null name.
    static CeId stringToCeId(const char* name);
    static CeId stringToCeId(std::string_view name);
    static CeId stringToCeId(const TString<char>& name);
    // Machine-order partner of a byte-swapped form, else 0.
    static CeId getSwapPartner(CeId id);

    // ---- chains (the caller owns the result) ----

    // from = to (any value): a pass-through chain. Otherwise the route's
    // unit filters; nullptr without a route or when a filter is missing.
    static CompositIFilter* createCompositIFilter(CeId from, CeId to);
    static CompositIFilter* createCompositIFilter(const char* fromName, const char* toName);
    // The route with the newline stage of nlConv (0 none, 1-9).
    static CompositIFilter* createCompositIFilter(CeId from, CeId to, int nlConv);
    // The route with a caller's stage inserted (position 0 anywhere, 1 not at
    // the source end, 2 not at the destination end). On success the stage
    // belongs to the result; on nullptr it stays the caller's.
    static CompositIFilter* createCompositIFilter(CeId from, CeId to, GroupUtility* stage, int position);
    static CompositIFilter* createCompositIFilter(CeId from, CeId to, Utility* stage, int position);

    // ---- whole-string conversion ----
    // The destination is emptied, then filled with the source converted from
    // `from` to `to`; false when there is no route or the conversion fails.
    // D is the destination's unit type (char: B, unsigned short: D,
    // unsigned int: Q), S the source's.
    template <class D, class S>
    static bool convertString(CeId from, CeId to, const TString<S>* src, TString<D>* dst);
    // The same through a chain the caller built (not deleted; left without a
    // source afterwards).
    template <class D, class S>
    static bool convertString(IFilter* chain, const TString<S>* src, TString<D>* dst);

    template <class S>
    static bool convertToBString(CeId from, CeId to, const TString<S>* src, TString<char>* dst) {
        return convertString<char>(from, to, src, dst);
    }
    template <class S>
    static bool convertToDString(CeId from, CeId to, const TString<S>* src, TString<unsigned short>* dst) {
        return convertString<unsigned short>(from, to, src, dst);
    }
    template <class S>
    static bool convertToQString(CeId from, CeId to, const TString<S>* src, TString<unsigned int>* dst) {
        return convertString<unsigned int>(from, to, src, dst);
    }
    template <class S>
    static bool convertToBString(CeId from, CeId to, const TString<S>& src, TString<char>& dst) {
        return convertString<char>(from, to, &src, &dst);
    }
    template <class S>
    static bool convertToDString(CeId from, CeId to, const TString<S>& src, TString<unsigned short>& dst) {
        return convertString<unsigned short>(from, to, &src, &dst);
    }
    template <class S>
    static bool convertToQString(CeId from, CeId to, const TString<S>& src, TString<unsigned int>& dst) {
        return convertString<unsigned int>(from, to, &src, &dst);
    }
    template <class S>
    static bool convertToBString(IFilter* chain, const TString<S>& src, TString<char>& dst) {
        return convertString<char>(chain, &src, &dst);
    }
    template <class S>
    static bool convertToDString(IFilter* chain, const TString<S>& src, TString<unsigned short>& dst) {
        return convertString<unsigned short>(chain, &src, &dst);
    }
    template <class S>
    static bool convertToQString(IFilter* chain, const TString<S>& src, TString<unsigned int>& dst) {
        return convertString<unsigned int>(chain, &src, &dst);
    }

    // ---- files and memory ----
    // Pumps a whole stream from `in`'s current position into `out`; neither
    // stream is closed. Units wider than a byte are in machine order.
    static bool convertFile(CeId from, CeId to, std::FILE* in, std::FILE* out);
    // Source block to destination block; a destination too small gives false.
    // `written` (optional) receives the number of bytes stored.
    static bool convertMemory(CeId from, CeId to, const void* src, std::size_t srcLength, void* dst,
                              std::size_t dstLength, std::size_t* written = nullptr);

    // ---- detection ----
    // Runs detector 40, 41 or 42 from the stream's current position (the
    // stream stays open) or over a memory block; 0 when nothing is found.
    static CeId detect(CeId detector, std::FILE* in);
    static CeId detect(CeId detector, const void* block, std::size_t length);

    // ---- diagnostics ----
    // Every route in the diagnostic format (empty before start-up).
    static std::string dumpRoutes();
    static const CenDictionary* getCenDictionary();
    static const IFilterDictionary* getIFilterDictionary();

    // The width a chain delivers: the first of 8, 16, 32 bits its last member
    // provides (the chain's own mask when it has no members).
    static IOType outputIOType(const CompositIFilter& chain);
};

// ---- template definitions ----

template <class D, class S>
bool Iceman::convertString(IFilter* chain, const TString<S>* src, TString<D>* dst) {
    if (dst) dst->clear();
    if (!chain) return false;
    if (dst && src) dst->reserve(src->size());
    StringIFlow<S> in(src);
    StringOFlow<D> out(dst);
    chain->setSrc(&in);
    bool ok = true;
    try {
        Conveyer(chain, &out).carryBlocks();
    } catch (const IOException&) {
        ok = false;
    }
    chain->setSrc(nullptr);
    return ok;
}

template <class D, class S>
bool Iceman::convertString(CeId from, CeId to, const TString<S>* src, TString<D>* dst) {
    if (dst) dst->clear();
    CompositIFilter* chain = createCompositIFilter(from, to);
    if (!chain) return false;
    bool ok = convertString<D>(static_cast<IFilter*>(chain), src, dst);
    delete chain;
    return ok;
}

} // namespace CCC
