#include "Iceman.h"

#include "../detect/DetectorFactory.h"
#include "../flow/FileIFlow.h"
#include "../flow/FileOFlow.h"
#include "../flow/FixedMemIFlow.h"
#include "../flow/MemOFlow.h"
#include "CeIdTable.h"
#include "EncodingLibrary.h"
#include "RouteBuilder.h"
#include "UnitFilterFactories.h"
#include "UnitFilterTable.h"

namespace CCC {

namespace {

RouteBuilder builder() {
    return RouteBuilder(EncodingLibrary::routes(), &UnitFilterTable::create, &createNewlineStage);
}

IOType firstWidth(IOType mask) {
    for (IOType w : {kIO8, kIO16, kIO32})
        if (mask & w) return w;
    return 0;
}

// Carries a whole chain into `out` in the width the chain delivers.
bool pump(CeId from, CeId to, IFlow& in, OFlow& out) {
    CompositIFilter* chain = Iceman::createCompositIFilter(from, to);
    if (!chain) return false;
    chain->setSrc(&in);
    bool ok = true;
    try {
        Conveyer(chain, &out).carryBlocks(Iceman::outputIOType(*chain));
    } catch (const IOException&) {
        ok = false;
    }
    delete chain;
    return ok;
}

CeId runSafely(CeId detector, IFlow& in) {
    try {
        return runDetector(detector, in);
    } catch (const IOException&) {
        return ceid::kNone;
    }
}

} // namespace

const char* Iceman::ceIdToString(CeId id) { return CeIdTable::canonicalName(id); }

IOType Iceman::getIOType(CeId id) { return CeIdTable::ioType(id); }

CeId Iceman::stringToCeId(std::string_view name) {
    const CenDictionary* names = EncodingLibrary::names();
    return names ? names->find(name) : ceid::kNone;
}

CeId Iceman::stringToCeId(const char* name) { return name ? stringToCeId(std::string_view(name)) : ceid::kNone; }

CeId Iceman::stringToCeId(const TString<char>& name) {
    return stringToCeId(std::string_view(name.data(), name.size()));
}

CeId Iceman::getSwapPartner(CeId id) { return CeIdTable::swapPartner(id); }

CompositIFilter* Iceman::createCompositIFilter(CeId from, CeId to) { return builder().build(from, to); }

CompositIFilter* Iceman::createCompositIFilter(const char* fromName, const char* toName) {
    CeId from = stringToCeId(fromName);
    CeId to = stringToCeId(toName);
    if (!from || !to) return nullptr;
    return createCompositIFilter(from, to);
}

CompositIFilter* Iceman::createCompositIFilter(CeId from, CeId to, int nlConv) {
    return builder().build(from, to, nlConv);
}

CompositIFilter* Iceman::createCompositIFilter(CeId from, CeId to, GroupUtility* stage, int position) {
    return builder().build(from, to, stage, position);
}

CompositIFilter* Iceman::createCompositIFilter(CeId from, CeId to, Utility* stage, int position) {
    return builder().build(from, to, stage, position);
}

IOType Iceman::outputIOType(const CompositIFilter& chain) {
    IOType mask = chain.size() ? chain.member(chain.size() - 1)->getIOType() : chain.getIOType();
    return firstWidth(mask);
}

bool Iceman::convertFile(CeId from, CeId to, std::FILE* in, std::FILE* out) {
    FileIFlow src(in);
    FileOFlow dst(out);
    return pump(from, to, src, dst);
}

bool Iceman::convertMemory(CeId from, CeId to, const void* src, std::size_t srcLength, void* dst,
                           std::size_t dstLength, std::size_t* written) {
    FixedMemIFlow in(src, srcLength);
    FixedMemOFlow out(dst, dstLength);
    bool ok = pump(from, to, in, out);
    if (written) *written = out.position();
    return ok;
}

CeId Iceman::detect(CeId detector, std::FILE* in) {
    FileIFlow flow(in);
    return runSafely(detector, flow);
}

CeId Iceman::detect(CeId detector, const void* block, std::size_t length) {
    FixedMemIFlow flow(block, length);
    return runSafely(detector, flow);
}

std::string Iceman::dumpRoutes() {
    const IFilterDictionary* routes = EncodingLibrary::routes();
    return routes ? routes->dump() : std::string();
}

const CenDictionary* Iceman::getCenDictionary() { return EncodingLibrary::names(); }
const IFilterDictionary* Iceman::getIFilterDictionary() { return EncodingLibrary::routes(); }

} // namespace CCC
