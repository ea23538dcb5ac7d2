#include "FileIFlow.h"

#include <cstring>

namespace CCC {

namespace {
constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\file\\FileIFlow.cpp";
}

FileIFlow::FileIFlow(const char* path, bool binary, std::size_t bufferBytes)
    : InputWidths(kIOAll, false), fp_(path ? std::fopen(path, binary ? "rb" : "r") : nullptr), owned_(true) {
    if (fp_) buffer_ = giveFileBuffer(fp_, bufferBytes);
    setOpen(fp_ != nullptr);
    setHead(fp_ != nullptr);
}

FileIFlow::FileIFlow(std::FILE* adopted) : InputWidths(kIOAll, adopted != nullptr), fp_(adopted), owned_(false) {}

FileIFlow::~FileIFlow() { close(); }

bool FileIFlow::close() {
    if (!IFlow::close()) return false;
    bool ok = true;
    if (owned_ && fp_) ok = std::fclose(fp_) == 0;
    fp_ = nullptr;
    buffer_.reset();
    return ok;
}

bool FileIFlow::rewind() {
    if (!IFlow::rewind()) return false;
    return std::fseek(fp_, 0, SEEK_SET) == 0;
}

template <class T>
T FileIFlow::getAny() {
    if (!openP()) CCC_THROW_IO(IOException::kNotOpen);
    unsigned char bytes[sizeof(T)];
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        int c = std::getc(fp_);
        if (c == EOF) CCC_THROW_IO(IOException::kEndOfData);
        bytes[i] = static_cast<unsigned char>(c);
    }
    T u;
    std::memcpy(&u, bytes, sizeof(T));
    passed();
    return u;
}

template <class T>
void FileIFlow::readAny(std::size_t n, T* buffer, std::size_t& count) {
    if (!openP()) CCC_THROW_IO(IOException::kNotOpen);
    count = std::fread(buffer, sizeof(T), n, fp_);
    if (count) passed();
    if (count < n) {
        if (std::ferror(fp_)) CCC_THROW_IO(IOException::kMediumError);
        CCC_THROW_IO(IOException::kEndOfData);
    }
}

template char FileIFlow::getAny<char>();
template unsigned short FileIFlow::getAny<unsigned short>();
template unsigned int FileIFlow::getAny<unsigned int>();
template void FileIFlow::readAny<char>(std::size_t, char*, std::size_t&);
template void FileIFlow::readAny<unsigned short>(std::size_t, unsigned short*, std::size_t&);
template void FileIFlow::readAny<unsigned int>(std::size_t, unsigned int*, std::size_t&);

} // namespace CCC
