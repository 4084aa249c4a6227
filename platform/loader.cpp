#include "platform/loader.h"

#include <utility>

namespace kvu {

LoadedLibrary::LoadedLibrary(LoadedLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      loadError_(other.loadError_),
      loadErrorText_(std::move(other.loadErrorText_)) {}

LoadedLibrary& LoadedLibrary::operator=(LoadedLibrary&& other) noexcept {
    if (this != &other) {
        Release();
        handle_ = std::exchange(other.handle_, nullptr);
        loadError_ = other.loadError_;
        loadErrorText_ = std::move(other.loadErrorText_);
    }
    return *this;
}

}  // namespace kvu
