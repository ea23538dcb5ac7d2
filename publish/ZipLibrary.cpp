#include "ZipLibrary.h"

#include <dlfcn.h>

namespace Publish {

namespace {

std::string failure(const char* soname) {
    const char* reason = dlerror();
    return std::string("cannot load the archive library ") + soname + " (" + (reason ? reason : "unknown error") + ")";
}

} // namespace

std::string loadZipLibrary(const char* soname, ZipLibrary& library) {
    void* handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return failure(soname);
#define QM_ZIP_LOOKUP(name)                                                                                    \
    library.name = reinterpret_cast<decltype(library.name)>(dlsym(handle, #name));                             \
    if (!library.name) {                                                                                       \
        std::string reason = failure(soname);                                                                  \
        dlclose(handle);                                                                                       \
        library = {};                                                                                          \
        return reason;                                                                                         \
    }
    QM_ZIP_FUNCTIONS(QM_ZIP_LOOKUP)
#undef QM_ZIP_LOOKUP
    // The handle stays open for the program's life: the pointers use it.
    return {};
}

const ZipLibrary* zipLibrary(std::string& reason) {
    struct Loaded {
        ZipLibrary library;
        std::string reason = loadZipLibrary(QM_LIBZIP_SONAME, library);
    };
    static const Loaded loaded;
    reason = loaded.reason;
    return loaded.reason.empty() ? &loaded.library : nullptr;
}

} // namespace Publish
