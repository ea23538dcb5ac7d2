#include "BookArchive.h"

#include <cstring>
#include <memory>

#include "ParallelDeflate.h"
#include "ZipLibrary.h"

namespace Publish {

namespace {

// 1980-01-01 00:00:00, the earliest time the archive format can hold.
constexpr zip_uint16_t kDosTime = 0;
constexpr zip_uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;

// An entry's data deflated ahead (on every core): libzip copies it as it
// is, trusting the method, sizes and CRC the source states.
struct Precompressed {
    const ZipLibrary* zip;
    const Deflated* deflated;
    zip_uint64_t offset = 0;
    zip_error_t error;
};

zip_int64_t readPrecompressed(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    auto* source = static_cast<Precompressed*>(state);
    const std::string& bytes = source->deflated->data;
    switch (command) {
    case ZIP_SOURCE_OPEN:
        source->offset = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const zip_uint64_t n = std::min<zip_uint64_t>(length, bytes.size() - source->offset);
        std::memcpy(data, bytes.data() + source->offset, n);
        source->offset += n;
        return static_cast<zip_int64_t>(n);
    }
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_STAT: {
        auto* st = static_cast<zip_stat_t*>(data);
        source->zip->zip_stat_init(st);
        st->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC;
        st->size = source->deflated->size;
        st->comp_size = bytes.size();
        st->comp_method = ZIP_CM_DEFLATE;
        st->crc = source->deflated->crc;
        return sizeof(*st);
    }
    case ZIP_SOURCE_ERROR:
        return source->zip->zip_error_to_data(&source->error, data, length);
    case ZIP_SOURCE_SUPPORTS:
        return source->zip->zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                                           ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
        source->zip->zip_error_set(&source->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

std::string reasonOf(const ZipLibrary& zip, zip_t* archive) {
    const char* text = zip.zip_error_strerror(zip.zip_get_error(archive));
    return text ? text : "unknown error";
}

} // namespace

std::string writeArchive(const std::string& path, const std::vector<ArchiveEntry>& entries) {
    std::string loadFailure;
    const ZipLibrary* library = zipLibrary(loadFailure);
    if (!library) return loadFailure;
    const ZipLibrary& zip = *library;
    std::vector<const std::string*> inputs;
    for (const ArchiveEntry& entry : entries)
        if (entry.compressP && !entry.deflated) inputs.push_back(&entry.bytes);
    std::vector<Deflated> deflated;
    if (!deflateInParallel(inputs, deflated)) return "the compression failed";
    std::vector<std::unique_ptr<Precompressed>> sources;
    std::size_t nextDeflated = 0;

    int code = 0;
    // libzip writes into a temporary file beside path and moves it over
    // path when closed.
    zip_t* archive = zip.zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t error;
        zip.zip_error_init_with_code(&error, code);
        std::string reason = zip.zip_error_strerror(&error);
        zip.zip_error_fini(&error);
        return reason;
    }
    for (const ArchiveEntry& entry : entries) {
        // The entries' bytes live until zip_close reads them.
        zip_source_t* source = nullptr;
        if (entry.compressP) {
            const Deflated* data = entry.deflated ? &*entry.deflated : &deflated[nextDeflated++];
            sources.push_back(std::make_unique<Precompressed>(Precompressed{&zip, data, 0, {}}));
            zip.zip_error_init(&sources.back()->error);
            source = zip.zip_source_function(archive, readPrecompressed, sources.back().get());
        } else {
            source = zip.zip_source_buffer(archive, entry.bytes.data(), entry.bytes.size(), 0);
        }
        const zip_int64_t index =
            source ? zip.zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (source) zip.zip_source_free(source);
            std::string reason = reasonOf(zip, archive);
            zip.zip_discard(archive);
            return reason;
        }
        const auto i = static_cast<zip_uint64_t>(index);
        if (zip.zip_set_file_compression(archive, i, entry.compressP ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) < 0 ||
            zip.zip_file_set_dostime(archive, i, kDosTime, kDosDate, 0) < 0) {
            std::string reason = reasonOf(zip, archive);
            zip.zip_discard(archive);
            return reason;
        }
    }
    if (zip.zip_close(archive) < 0) {
        std::string reason = reasonOf(zip, archive);
        zip.zip_discard(archive);
        return reason;
    }
    return {};
}

} // namespace Publish
