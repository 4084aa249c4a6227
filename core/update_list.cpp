#include "core/update_list.h"

#include <algorithm>
#include <type_traits>

namespace kvu {
namespace {

template <typename List>
auto* At(List& list, int position) {
    using Record = std::remove_reference_t<decltype(*list.begin())>;
    if (position < 1 || position > list.Count())
        return static_cast<Record*>(nullptr);
    return &*(list.begin() + (position - 1));
}

}  // namespace

clsUpdateInfo* GetUpdateInfo(UpdateList& list, int position) {
    return At(list, position);
}

const clsUpdateInfo* GetUpdateInfo(const UpdateList& list, int position) {
    return At(list, position);
}

int CountDownloads(const UpdateList& list) {
    return static_cast<int>(
        std::count_if(list.begin(), list.end(), [](const clsUpdateInfo& r) { return r.Download; }));
}

}  // namespace kvu
