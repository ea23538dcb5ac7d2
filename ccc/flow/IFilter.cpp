#include "IFilter.h"

namespace CCC {

namespace {
constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\base\\IFilter.cpp";
}

bool IFilter::close() {
    if (!openP()) return false;
    src_ = nullptr;
    setOpen(false);
    return true;
}

bool IFilter::rewind() {
    if (!openP()) return false;
    setHead(true);
    return src_->rewind();
}

bool IFilter::readyP() const { return srcIOType() != 0 && src_->readyP(); }

bool IFilter::setSrc(IFlow* src) {
    src_ = src;
    setOpen(src != nullptr);
    setHead(true);
    return src != nullptr;
}

IFlow& IFilter::source() const {
    if (!src_) CCC_THROW_IO(IOException::kNoSource);
    return *src_;
}

template <class T>
T IFilter::forwardGet() {
    T u = source().get<T>();
    passed();
    return u;
}

template <class T>
void IFilter::forwardRead(std::size_t n, T* buffer, std::size_t& count) {
    source().read<T>(n, buffer, count);
    passed();
}

char IFilter::get8() { return forwardGet<char>(); }
unsigned short IFilter::get16() { return forwardGet<unsigned short>(); }
unsigned int IFilter::get32() { return forwardGet<unsigned int>(); }
void IFilter::read8(std::size_t n, char* b, std::size_t& c) { forwardRead(n, b, c); }
void IFilter::read16(std::size_t n, unsigned short* b, std::size_t& c) { forwardRead(n, b, c); }
void IFilter::read32(std::size_t n, unsigned int* b, std::size_t& c) { forwardRead(n, b, c); }

} // namespace CCC
