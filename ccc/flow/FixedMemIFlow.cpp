#include "FixedMemIFlow.h"

#include <cstring>

namespace CCC {

namespace {
constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\mem\\FixedMemIFlow.cpp";
}

FixedMemIFlow::FixedMemIFlow(const void* base, std::size_t byteLength)
    : InputWidths(kIOAll, base != nullptr),
      base_(static_cast<const unsigned char*>(base)),
      length_(base ? byteLength : 0) {}

bool FixedMemIFlow::rewind() {
    if (!IFlow::rewind()) return false;
    pos_ = 0;
    return true;
}

template <class T>
T FixedMemIFlow::getAny() {
    if (!(getIOType() & ioTypeOf<T>)) CCC_THROW_IO(IOException::kBadWidth);
    if (!openP()) CCC_THROW_IO(IOException::kNotOpen);
    if (length_ - pos_ < sizeof(T)) {
        pos_ = length_;
        CCC_THROW_IO(IOException::kEndOfData);
    }
    T u;
    std::memcpy(&u, base_ + pos_, sizeof(T));
    pos_ += sizeof(T);
    passed();
    return u;
}

template <class T>
void FixedMemIFlow::readAny(std::size_t n, T* buffer, std::size_t& count) {
    if (!(getIOType() & ioTypeOf<T>)) CCC_THROW_IO(IOException::kBadWidth);
    if (!openP()) CCC_THROW_IO(IOException::kNotOpen);
    std::size_t available = (length_ - pos_) / sizeof(T);
    count = n < available ? n : available;
    if (count) {
        std::memcpy(buffer, base_ + pos_, count * sizeof(T));
        pos_ += count * sizeof(T);
        passed();
    } else {
        pos_ = length_;
    }
}

template char FixedMemIFlow::getAny<char>();
template unsigned short FixedMemIFlow::getAny<unsigned short>();
template unsigned int FixedMemIFlow::getAny<unsigned int>();
template void FixedMemIFlow::readAny<char>(std::size_t, char*, std::size_t&);
template void FixedMemIFlow::readAny<unsigned short>(std::size_t, unsigned short*, std::size_t&);
template void FixedMemIFlow::readAny<unsigned int>(std::size_t, unsigned int*, std::size_t&);

} // namespace CCC
