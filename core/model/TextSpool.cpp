#include "TextSpool.h"

#include <cerrno>
#include <climits>

namespace Orvane {

namespace {
constexpr std::size_t kUnit = sizeof(unsigned short);
}

TextSpool::~TextSpool() { clear(); }

void TextSpool::clear() {
    if (fp_) std::fclose(fp_);
    fp_ = nullptr;
    size_ = 0;
}

bool TextSpool::seek(std::size_t offset) const {
    if (offset > LONG_MAX / kUnit) {
        errno = EFBIG;
        return false;
    }
    return std::fseek(fp_, static_cast<long>(offset * kUnit), SEEK_SET) == 0;
}

bool TextSpool::append(const unsigned short* units, std::size_t n) {
    if (!fp_) {
        fp_ = std::tmpfile();
        if (!fp_) return false;
        // Whole blocks go through unbuffered, without a copy in the stream.
        std::setvbuf(fp_, nullptr, _IONBF, 0);
    }
    // Writing and reading share the stream: place it at the end each time.
    if (!seek(size_) || std::fwrite(units, kUnit, n, fp_) != n) return false;
    size_ += n;
    return true;
}

bool TextSpool::read(std::size_t offset, unsigned short* buffer, std::size_t n) const {
    if (n == 0) return true;
    if (!fp_ || offset > size_ || n > size_ - offset) {
        errno = EINVAL;
        return false;
    }
    if (!seek(offset)) return false;
    if (std::fread(buffer, kUnit, n, fp_) == n) return true;
    if (!std::ferror(fp_)) errno = EIO;
    return false;
}

} // namespace Orvane
