#include "UnivString.h"

#include "Iceman.h"

namespace CCC {

UnivString::~UnivString() = default;

template <class D>
TString<D>* UnivString::convertTo(CeId to) const {
    CompositIFilter* chain = Iceman::createCompositIFilter(ceId_, to);
    if (!chain) return nullptr;
    std::unique_ptr<TString<D>> out(new TString<D>());
    bool ok;
    if (b_) ok = Iceman::convertString<D>(static_cast<IFilter*>(chain), b_.get(), out.get());
    else if (d_) ok = Iceman::convertString<D>(static_cast<IFilter*>(chain), d_.get(), out.get());
    else if (q_) ok = Iceman::convertString<D>(static_cast<IFilter*>(chain), q_.get(), out.get());
    else ok = false;
    delete chain;
    return ok ? out.release() : nullptr;
}

template TString<char>* UnivString::convertTo<char>(CeId) const;
template TString<unsigned short>* UnivString::convertTo<unsigned short>(CeId) const;
template TString<unsigned int>* UnivString::convertTo<unsigned int>(CeId) const;

} // namespace CCC
