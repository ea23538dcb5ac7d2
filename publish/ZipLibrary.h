#pragma once

#include <zip.h>

#include <string>

namespace Publish {

// The archive library's functions the book writer calls, one list for the
// pointers and the names they are looked up by.
#define QM_ZIP_FUNCTIONS(X)                                                                                    \
    X(zip_open) X(zip_close) X(zip_discard) X(zip_get_error) X(zip_file_add) X(zip_set_file_compression)      \
    X(zip_file_set_dostime) X(zip_source_buffer) X(zip_source_function) X(zip_source_free)                    \
    X(zip_source_make_command_bitmap) X(zip_stat_init) X(zip_error_init) X(zip_error_init_with_code)          \
    X(zip_error_fini) X(zip_error_set) X(zip_error_strerror) X(zip_error_to_data)

// The library is opened when the first book is written rather than linked:
// mapping it and what it needs (compression and crypto libraries) cost every
// command at start-up, though only books use it.
struct ZipLibrary {
#define QM_ZIP_POINTER(name) decltype(&::name) name = nullptr;
    QM_ZIP_FUNCTIONS(QM_ZIP_POINTER)
#undef QM_ZIP_POINTER
};

// Opens the library by soname and fills library. Empty on success, else
// the reason, naming the library.
std::string loadZipLibrary(const char* soname, ZipLibrary& library);

// The library found when the program was configured, opened once whichever
// thread asks first; null, with the reason, if it cannot be.
const ZipLibrary* zipLibrary(std::string& reason);

} // namespace Publish
