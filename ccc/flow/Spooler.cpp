#include "Spooler.h"

#include "Conveyer.h"
#include "FixedMemIFlow.h"

namespace CCC {

namespace {
constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\base\\Spooler.cpp";
}

Spooler::Spooler(IOType accepts, IOType delivers, OFlow* dest)
    : OutputWidths(accepts, kIOAll), delivers_(delivers) {
    collected_.reserve(16);
    setDest(dest);
}

template <class T>
void Spooler::writeAny(std::size_t n, const T* units, std::size_t& count) {
    if (!getDest()) CCC_THROW_IO(IOException::kNoDestination);
    if (!(getIOType() & ioTypeOf<T>)) CCC_THROW_IO(IOException::kBadWidth);
    collected_.append(reinterpret_cast<const char*>(units), n * sizeof(T));
    count = n;
    if (n) passed();
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

template void Spooler::writeAny<char>(std::size_t, const char*, std::size_t&);
template void Spooler::writeAny<unsigned short>(std::size_t, const unsigned short*, std::size_t&);
template void Spooler::writeAny<unsigned int>(std::size_t, const unsigned int*, std::size_t&);

} // namespace CCC
