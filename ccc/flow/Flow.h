#pragma once

#include <cstddef>

#include "../base/Exception.h"
#include "../base/TString.h"
#include "../base/Unit.h"

namespace CCC {

// Common state of every flow: open flag, unit-width mask, at-head flag.
class Flow : public Object {
public:
    explicit Flow(IOType ioType = 0, bool open = false) : open_(open), ioType_(ioType), head_(open) {}
    ~Flow() override = default;

    virtual bool close();
    virtual bool openP() const { return open_; }
    virtual IOType getIOType() const { return ioType_; }
    virtual bool ioTypeP(IOType mask) const { return (mask & getIOType()) != 0; }
    virtual bool rewind();
    virtual bool headP() const { return head_; }
    virtual bool readyP() const { return openP(); }

protected:
    void setOpen(bool open) { open_ = open; }
    void setIOType(IOType t) { ioType_ = t; }
    void setHead(bool head) { head_ = head; }
    void passed() { head_ = false; }

private:
    bool open_;
    IOType ioType_;
    bool head_;
};

// An input flow hands out units one at a time (get) or in blocks (read).
//
// Block reads: read##W(n, buffer, count) stores up to n units and their
// number in count. Reaching the end of data either returns with count == 0,
// or (file flows) stores the count and throws IOException code 1. A count
// below n does not by itself mean the end: stages may deliver a block short.
// readBlock() below folds these cases into one loop condition.
class IFlow : public Flow {
public:
    using Flow::Flow;

    virtual char get8();
    virtual unsigned short get16();
    virtual unsigned int get32();
    virtual void read8(std::size_t n, char* buffer, std::size_t& count);
    virtual void read16(std::size_t n, unsigned short* buffer, std::size_t& count);
    virtual void read32(std::size_t n, unsigned int* buffer, std::size_t& count);
    virtual bool readLine32(TString<unsigned int>& s, bool append);
    virtual bool readLine16(TString<unsigned short>& s, bool append);
    virtual bool readLine8(TString<char>& s, bool append);

    // Width-generic forms for templates; they dispatch to the slots above.
    template <class T> T get();
    template <class T> void read(std::size_t n, T* buffer, std::size_t& count);
    template <class T> bool readLine(TString<T>& s, bool append);

protected:
    // The base block read: get() n times, stopping quietly at end of data.
    template <class T> void readByUnits(std::size_t n, T* buffer, std::size_t& count);
    // The unit read of a flow that reads in blocks: a block of one unit;
    // end of data (code 1) when none is left.
    template <class T> T getByBlock();

private:
    template <class T> bool readLineImpl(TString<T>& s, bool append);
};

// An output flow accepts units one at a time (put) or in blocks (write).
class OFlow : public Flow {
public:
    using Flow::Flow;

    virtual void flush() {}
    virtual void put8(char u);
    virtual void put16(unsigned short u);
    virtual void put32(unsigned int u);
    virtual void write8(std::size_t n, const char* buffer, std::size_t& count);
    virtual void write16(std::size_t n, const unsigned short* buffer, std::size_t& count);
    virtual void write32(std::size_t n, const unsigned int* buffer, std::size_t& count);
    virtual bool writeZ32(const unsigned int* s);
    virtual bool writeZ16(const unsigned short* s);
    virtual bool writeZ8(const char* s);
    virtual bool writeString32(const TString<unsigned int>& s);
    virtual bool writeString16(const TString<unsigned short>& s);
    virtual bool writeString8(const TString<char>& s);

    template <class T> void put(T u);
    template <class T> void write(std::size_t n, const T* buffer, std::size_t& count);
    template <class T> bool writeAll(const T* buffer, std::size_t n);

protected:
    template <class T> void writeByUnits(std::size_t n, const T* buffer, std::size_t& count);
};

// Reads one block, treating IOException code 1 as the end of data. Returns
// the number of units stored; sets atEnd when the source is exhausted.
template <class T>
std::size_t readBlock(IFlow& src, T* buffer, std::size_t n, bool& atEnd);

// ---- template definitions ----

template <class T>
T IFlow::get() {
    if constexpr (sizeof(T) == 1) return static_cast<T>(get8());
    else if constexpr (sizeof(T) == 2) return get16();
    else return get32();
}

template <class T>
void IFlow::read(std::size_t n, T* buffer, std::size_t& count) {
    if constexpr (sizeof(T) == 1) read8(n, reinterpret_cast<char*>(buffer), count);
    else if constexpr (sizeof(T) == 2) read16(n, buffer, count);
    else read32(n, buffer, count);
}

template <class T>
bool IFlow::readLine(TString<T>& s, bool append) {
    if constexpr (sizeof(T) == 1) return readLine8(s, append);
    else if constexpr (sizeof(T) == 2) return readLine16(s, append);
    else return readLine32(s, append);
}

template <class T>
void IFlow::readByUnits(std::size_t n, T* buffer, std::size_t& count) {
    count = 0;
    try {
        while (count < n) {
            buffer[count] = get<T>();
            ++count;
        }
    } catch (const IOException& e) {
        if (e.getCode() != IOException::kEndOfData) throw;
    }
}

template <class T>
T IFlow::getByBlock() {
    T u{};
    std::size_t count = 0;
    read<T>(1, &u, count);
    if (count == 0) throw IOException("Flow.h", __LINE__, IOException::kEndOfData);
    return u;
}

template <class T>
void OFlow::put(T u) {
    if constexpr (sizeof(T) == 1) put8(static_cast<char>(u));
    else if constexpr (sizeof(T) == 2) put16(u);
    else put32(u);
}

template <class T>
void OFlow::write(std::size_t n, const T* buffer, std::size_t& count) {
    if constexpr (sizeof(T) == 1) write8(n, reinterpret_cast<const char*>(buffer), count);
    else if constexpr (sizeof(T) == 2) write16(n, buffer, count);
    else write32(n, buffer, count);
}

template <class T>
bool OFlow::writeAll(const T* buffer, std::size_t n) {
    std::size_t count = 0;
    write<T>(n, buffer, count);
    return count == n;
}

template <class T>
void OFlow::writeByUnits(std::size_t n, const T* buffer, std::size_t& count) {
    count = 0;
    while (count < n) {
        put<T>(buffer[count]);
        ++count;
    }
}

template <class T>
std::size_t readBlock(IFlow& src, T* buffer, std::size_t n, bool& atEnd) {
    std::size_t count = 0;
    try {
        src.read<T>(n, buffer, count);
        if (count == 0) atEnd = true;
    } catch (const IOException& e) {
        if (e.getCode() != IOException::kEndOfData) throw;
        atEnd = true;
    }
    return count;
}

} // namespace CCC
