#include "Spooler.h"

#include "Conveyer.h"
#include "FixedMemIFlow.h"

namespace CCC {

namespace {
constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\base\\Spooler.cpp";
}

Spooler::Spooler(IOType accepts, IOType delivers, OFlow* dest) : OFilter(accepts, kIOAll), delivers_(delivers) {
    collected_.reserve(16);
    setDest(dest);
}

template <class T>
std::size_t Spooler::collect(std::size_t n, const T* units) {
    if (!getDest()) CCC_THROW_IO(IOException::kNoDestination);
    if (!(getIOType() & ioTypeOf<T>)) CCC_THROW_IO(IOException::kBadWidth);
    collected_.append(reinterpret_cast<const char*>(units), n * sizeof(T));
    if (n) passed();
    return n;
}

void Spooler::flush() {
    OFlow& dest = destination();
    FixedMemIFlow collected(collected_.data(), collected_.size());
    chain_.setSrc(&collected);
    try {
        Conveyer conveyer(&chain_, &dest);
        IOType width = delivers_ & dest.getIOType();
        bool single = width == kIO8 || width == kIO16 || width == kIO32;
        if (single)
            conveyer.carryBlocks(width);
        else
            conveyer.carryBlocks();
    } catch (...) {
        chain_.setSrc(nullptr);
        throw;
    }
    chain_.setSrc(nullptr);
    collected_.clear();
    dest.flush();
}

template std::size_t Spooler::collect<char>(std::size_t, const char*);
template std::size_t Spooler::collect<unsigned short>(std::size_t, const unsigned short*);
template std::size_t Spooler::collect<unsigned int>(std::size_t, const unsigned int*);

} // namespace CCC
