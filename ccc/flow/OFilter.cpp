#include "OFilter.h"

namespace CCC {

namespace {
constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\base\\OFilter.cpp";
}

bool OFilter::close() {
    if (!openP()) return false;
    dest_ = nullptr;
    setOpen(false);
    return true;
}

bool OFilter::rewind() {
    setHead(true);
    return destination().rewind();
}

bool OFilter::readyP() const {
    return dest_ && (dest_->getIOType() & destMask_) != 0 && dest_->readyP();
}

OFlow& OFilter::destination() const {
    if (!dest_) CCC_THROW_IO(IOException::kNoDestination);
    return *dest_;
}

bool OFilter::setDest(OFlow* dest) {
    dest_ = dest;
    setOpen(dest != nullptr);
    setHead(dest != nullptr);
    return dest != nullptr;
}

void OFilter::flush() { destination().flush(); }
void OFilter::put8(char u) { destination().put8(u); }
void OFilter::put16(unsigned short u) { destination().put16(u); }
void OFilter::put32(unsigned int u) { destination().put32(u); }
void OFilter::write8(std::size_t n, const char* b, std::size_t& c) { destination().write8(n, b, c); }
void OFilter::write16(std::size_t n, const unsigned short* b, std::size_t& c) { destination().write16(n, b, c); }
void OFilter::write32(std::size_t n, const unsigned int* b, std::size_t& c) { destination().write32(n, b, c); }

} // namespace CCC
