#include "Flow.h"

namespace CCC {

namespace {
constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\base\\Flow.cpp";
}

bool Flow::close() {
    if (!open_) return false;
    open_ = false;
    return true;
}

bool Flow::rewind() {
    if (!openP()) return false;
    head_ = true;
    return true;
}

char IFlow::get8() { CCC_THROW_IO(IOException::kBadWidth); }
unsigned short IFlow::get16() { CCC_THROW_IO(IOException::kBadWidth); }
unsigned int IFlow::get32() { CCC_THROW_IO(IOException::kBadWidth); }

void IFlow::read8(std::size_t n, char* buffer, std::size_t& count) { readByUnits(n, buffer, count); }
void IFlow::read16(std::size_t n, unsigned short* buffer, std::size_t& count) { readByUnits(n, buffer, count); }
void IFlow::read32(std::size_t n, unsigned int* buffer, std::size_t& count) { readByUnits(n, buffer, count); }

template <class T>
bool IFlow::readLineImpl(TString<T>& s, bool append) {
    if (!append) s.clear();
    for (;;) {
        T u;
        try {
            u = get<T>();
        } catch (const IOException& e) {
            if (e.getCode() != IOException::kEndOfData) throw;
            return true;
        }
        if (u == T(0)) return false;
        s.push_back(u);
        if (u == T(10)) return false;
    }
}

bool IFlow::readLine32(TString<unsigned int>& s, bool append) { return readLineImpl(s, append); }
bool IFlow::readLine16(TString<unsigned short>& s, bool append) { return readLineImpl(s, append); }
bool IFlow::readLine8(TString<char>& s, bool append) { return readLineImpl(s, append); }

void OFlow::put8(char) { CCC_THROW_IO(IOException::kBadWidth); }
void OFlow::put16(unsigned short) { CCC_THROW_IO(IOException::kBadWidth); }
void OFlow::put32(unsigned int) { CCC_THROW_IO(IOException::kBadWidth); }

void OFlow::write8(std::size_t n, const char* buffer, std::size_t& count) { writeByUnits(n, buffer, count); }
void OFlow::write16(std::size_t n, const unsigned short* buffer, std::size_t& count) { writeByUnits(n, buffer, count); }
void OFlow::write32(std::size_t n, const unsigned int* buffer, std::size_t& count) { writeByUnits(n, buffer, count); }

bool OFlow::writeZ32(const unsigned int* s) { return writeAll(s, UnitTraits<unsigned int>::length(s)); }
bool OFlow::writeZ16(const unsigned short* s) { return writeAll(s, UnitTraits<unsigned short>::length(s)); }
bool OFlow::writeZ8(const char* s) { return writeAll(s, UnitTraits<char>::length(s)); }
bool OFlow::writeString32(const TString<unsigned int>& s) { return writeAll(s.data(), s.size()); }
bool OFlow::writeString16(const TString<unsigned short>& s) { return writeAll(s.data(), s.size()); }
bool OFlow::writeString8(const TString<char>& s) { return writeAll(s.data(), s.size()); }

} // namespace CCC
