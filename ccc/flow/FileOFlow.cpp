#include "FileOFlow.h"

namespace CCC {

namespace {
constexpr const char* kSourceName = "..\\..\\src.vc\\ccc\\file\\FileOFlow.cpp";

const char* modeOf(bool binary, bool append) {
    if (append) return binary ? "ab" : "a";
    return binary ? "wb" : "w";
}
} // namespace

FileOFlow::FileOFlow(const char* path, bool binary, bool append)
    : OutputWidths(kIOAll, false), fp_(path ? std::fopen(path, modeOf(binary, append)) : nullptr), owned_(true) {
    setOpen(fp_ != nullptr);
    setHead(fp_ != nullptr);
}

FileOFlow::FileOFlow(std::FILE* adopted) : OutputWidths(kIOAll, adopted != nullptr), fp_(adopted), owned_(false) {}

FileOFlow::~FileOFlow() { close(); }

bool FileOFlow::close() {
    if (!OFlow::close()) return false;
    bool ok = owned_ ? std::fclose(fp_) == 0 : std::fflush(fp_) == 0;
    fp_ = nullptr;
    return ok;
}

void FileOFlow::flush() {
    if (!openP()) CCC_THROW_IO(IOException::kNotOpen);
    if (std::fflush(fp_) != 0) CCC_THROW_IO(IOException::kMediumError);
}

template <class T>
void FileOFlow::writeAny(std::size_t n, const T* buffer, std::size_t& count) {
    if (!openP()) CCC_THROW_IO(IOException::kNotOpen);
    count = n ? std::fwrite(buffer, sizeof(T), n, fp_) : 0;
    if (count) passed();
    if (count < n) CCC_THROW_IO(IOException::kSinkFull);
    if (hook_ && (sinceHook_ += n * sizeof(T)) >= hookEvery_) {
        sinceHook_ = 0;
        hook_();
    }
}

template void FileOFlow::writeAny<char>(std::size_t, const char*, std::size_t&);
template void FileOFlow::writeAny<unsigned short>(std::size_t, const unsigned short*, std::size_t&);
template void FileOFlow::writeAny<unsigned int>(std::size_t, const unsigned int*, std::size_t&);

} // namespace CCC
