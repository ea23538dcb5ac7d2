#include "BookArchive.h"

#include <zip.h>

namespace Publish {

namespace {

// 1980-01-01 00:00:00, the earliest time the archive format can hold.
constexpr zip_uint16_t kDosTime = 0;
constexpr zip_uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;

// The fastest deflate: markup compresses well at any level, and the
// higher ones cost several times the whole conversion for a few percent.
constexpr zip_uint32_t kLevel = 1;

std::string reasonOf(zip_t* archive) {
    const char* text = zip_error_strerror(zip_get_error(archive));
    return text ? text : "unknown error";
}

} // namespace

std::string writeArchive(const std::string& path, const std::vector<ArchiveEntry>& entries) {
    int code = 0;
    // libzip writes into a temporary file beside path and moves it over
    // path when closed.
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        std::string reason = zip_error_strerror(&error);
        zip_error_fini(&error);
        return reason;
    }
    for (const ArchiveEntry& entry : entries) {
        // The entries' bytes live until zip_close reads them.
        zip_source_t* source = zip_source_buffer(archive, entry.bytes.data(), entry.bytes.size(), 0);
        const zip_int64_t index =
            source ? zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (source) zip_source_free(source);
            std::string reason = reasonOf(archive);
            zip_discard(archive);
            return reason;
        }
        const auto i = static_cast<zip_uint64_t>(index);
        if (zip_set_file_compression(archive, i, entry.compressP ? ZIP_CM_DEFLATE : ZIP_CM_STORE, kLevel) < 0 ||
            zip_file_set_dostime(archive, i, kDosTime, kDosDate, 0) < 0) {
            std::string reason = reasonOf(archive);
            zip_discard(archive);
            return reason;
        }
    }
    if (zip_close(archive) < 0) {
        std::string reason = reasonOf(archive);
        zip_discard(archive);
        return reason;
    }
    return {};
}

} // namespace Publish
