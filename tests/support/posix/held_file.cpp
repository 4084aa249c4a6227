#include "tests/support/held_file.h"

#include "tests/support/posix/lock_holder.h"

namespace kvu::test {

struct HeldFile::Holder {
    LockHolder lock;
};

HeldFile::HeldFile(const std::string& path)
    : holder_(new Holder{LockHolder(path, F_WRLCK, 0, 0)}) {}
HeldFile::~HeldFile() = default;
bool HeldFile::held() const {
    return holder_->lock.held();
}

}  // namespace kvu::test
