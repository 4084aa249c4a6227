#include "platform/loader.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace kvu {
namespace {

// dlopen gives no error number: opening the file tells a missing or
// unreadable file from one that is no library.
unsigned long OpenError(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return static_cast<unsigned long>(errno);
    close(fd);
    return ENOEXEC;
}

}  // namespace

LoadedLibrary::LoadedLibrary(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_)
        return;
    const char* reason = dlerror();
    loadErrorText_ = reason ? reason : "";
    loadError_ = OpenError(path);
}

void* LoadedLibrary::Address(const char* name) const {
    return handle_ ? dlsym(handle_, name) : nullptr;
}

void LoadedLibrary::Release() {
    if (handle_)
        dlclose(std::exchange(handle_, nullptr));
}

bool IsLibraryLoaded(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle)
        return false;
    dlclose(handle);  // RTLD_NOLOAD counted one more reference
    return true;
}

}  // namespace kvu
