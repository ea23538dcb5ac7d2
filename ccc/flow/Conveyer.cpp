#include "Conveyer.h"

namespace CCC {

namespace {
constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\base\\Conveyer.cpp";
}

IOType Conveyer::commonWidth(IOType wanted) const {
    if (!src_) CCC_THROW_IO(IOException::kNoSource);
    if (!dest_) CCC_THROW_IO(IOException::kNoDestination);
    IOType shared = src_->getIOType() & dest_->getIOType();
    if (wanted) {
        if ((wanted != kIO8 && wanted != kIO16 && wanted != kIO32) || !(shared & wanted))
            CCC_THROW_IO(IOException::kNoCommonWidth);
        return wanted;
    }
    for (IOType w : {kIO8, kIO16, kIO32})
        if (shared & w) return w;
    CCC_THROW_IO(IOException::kNoCommonWidth);
}

template <class T>
void Conveyer::carryUnits() {
    try {
        for (;;) dest_->put<T>(src_->get<T>());
    } catch (const IOException& e) {
        if (e.getCode() != IOException::kEndOfData) throw;
    }
    dest_->flush();
}

template <class T>
void Conveyer::carryBlocksOf() {
    T buffer[kBlockBytes / sizeof(T)];
    bool atEnd = false;
    while (!atEnd) {
        std::size_t n = readBlock<T>(*src_, buffer, kBlockBytes / sizeof(T), atEnd);
        if (n) {
            std::size_t written = 0;
            dest_->write<T>(n, buffer, written);
        }
    }
    dest_->flush();
}

void Conveyer::carry() { carry(commonWidth(0)); }

void Conveyer::carry(IOType width) {
    switch (commonWidth(width)) {
    case kIO8: carryUnits<char>(); break;
    case kIO16: carryUnits<unsigned short>(); break;
    default: carryUnits<unsigned int>(); break;
    }
}

void Conveyer::carryBlocks(IOType width) {
    switch (commonWidth(width)) {
    case kIO8: carryBlocksOf<char>(); break;
    case kIO16: carryBlocksOf<unsigned short>(); break;
    default: carryBlocksOf<unsigned int>(); break;
    }
}

} // namespace CCC
