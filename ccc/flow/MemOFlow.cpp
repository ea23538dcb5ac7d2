#include "MemOFlow.h"

#include <cstring>

namespace CCC {

namespace {
constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\mem\\MemOFlow.cpp";
}

FixedMemOFlow::FixedMemOFlow(void* base, std::size_t byteLength)
    : OutputWidths(kIOAll, base != nullptr),
      base_(static_cast<unsigned char*>(base)),
      length_(base ? byteLength : 0) {}

bool FixedMemOFlow::rewind() {
    if (!OFlow::rewind()) return false;
    pos_ = 0;
    return true;
}

template <class T>
void FixedMemOFlow::writeAny(std::size_t n, const T* buffer, std::size_t& count) {
    if (!openP()) CCC_THROW_IO(IOException::kNotOpen);
    std::size_t room = (length_ - pos_) / sizeof(T);
    count = n < room ? n : room;
    if (count) {
        std::memcpy(base_ + pos_, buffer, count * sizeof(T));
        pos_ += count * sizeof(T);
        passed();
    }
    if (count < n) CCC_THROW_IO(IOException::kSinkFull);
}

template <class T>
void MemOFlow::writeAny(std::size_t n, const T* buffer, std::size_t& count) {
    if (!openP()) CCC_THROW_IO(IOException::kNotOpen);
    buffer_->append(reinterpret_cast<const char*>(buffer), n * sizeof(T));
    count = n;
    if (n) passed();
}

template void FixedMemOFlow::writeAny<char>(std::size_t, const char*, std::size_t&);
template void FixedMemOFlow::writeAny<unsigned short>(std::size_t, const unsigned short*, std::size_t&);
template void FixedMemOFlow::writeAny<unsigned int>(std::size_t, const unsigned int*, std::size_t&);
template void MemOFlow::writeAny<char>(std::size_t, const char*, std::size_t&);
template void MemOFlow::writeAny<unsigned short>(std::size_t, const unsigned short*, std::size_t&);
template void MemOFlow::writeAny<unsigned int>(std::size_t, const unsigned int*, std::size_t&);

} // namespace CCC
