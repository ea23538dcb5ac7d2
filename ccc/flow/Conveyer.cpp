#include "Conveyer.h"

namespace CCC {

namespace {
constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\base\\Conveyer.cpp";


void checkFlows(const IFlow* src, const OFlow* dest) {
    if (!src) CCC_THROW_IO(IOException::kNoSource);
    if (!dest) CCC_THROW_IO(IOException::kNoDestination);
}

} // namespace

IOType Conveyer::firstCommonWidth() const {
    checkFlows(src_, dest_);
    IOType shared = src_->getIOType() & dest_->getIOType();
    for (IOType w : {kIO8, kIO16, kIO32})
        if (shared & w) return w;
    CCC_THROW_IO(IOException::kNoCommonWidth);
}

IOType Conveyer::checkedWidth(IOType wanted) const {
    checkFlows(src_, dest_);
    IOType shared = src_->getIOType() & dest_->getIOType();
    if ((wanted != kIO8 && wanted != kIO16 && wanted != kIO32) || !(shared & wanted))
        CCC_THROW_IO(IOException::kNoCommonWidth);
    return wanted;
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

void Conveyer::carry() { carry(firstCommonWidth()); }

void Conveyer::carry(IOType width) {
    switch (checkedWidth(width)) {
    case kIO8: carryUnits<char>(); break;
    case kIO16: carryUnits<unsigned short>(); break;
    default: carryUnits<unsigned int>(); break;
    }
}

void Conveyer::carryBlocks() { carryBlocks(firstCommonWidth()); }

void Conveyer::carryBlocks(IOType width) {
    switch (checkedWidth(width)) {
    case kIO8: carryBlocksOf<char>(); break;
    case kIO16: carryBlocksOf<unsigned short>(); break;
    default: carryBlocksOf<unsigned int>(); break;
    }
}

} // namespace CCC
