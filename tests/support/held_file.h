// A file held open by someone else in the way a running program holds its
// files, so that replacing it would fail: another process's lock on Linux, a
// handle without sharing on Windows. Let go when the object goes.
#pragma once

#include <memory>
#include <string>

namespace kvu::test {

class HeldFile {
  public:
    explicit HeldFile(const std::string& path);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool held() const;

  private:
    struct Holder;
    std::unique_ptr<Holder> holder_;
};

}  // namespace kvu::test
