// Where a member's content goes: a staged file that replaces the target only
// when complete, nowhere (testing), or the print callback.
#pragma once

#include <cstdint>
#include <string>

#include "platform/staged_file.h"
#include "unzip32/callbacks.h"
#include "unzip32/member_data.h"

namespace kvu::unzip {

// A new file in the target's folder; text line ends become the platform's
// when convertText is set.
class FileSink : public MemberSink {
  public:
    FileSink(StagedFile& file, bool convertText) : file_(file), convertText_(convertText) {}

    bool Create(const std::string& folder) { return file_.Create(folder); }
    WriteResult Write(const unsigned char* data, std::size_t size) override;
    // Writes what is held back; the file is then complete, to be committed.
    WriteResult Finish();

  private:
    StagedFile& file_;
    bool convertText_;
    bool pendingCr_ = false;  // a CR at the end of the last piece
    std::string converted_;
};

class DiscardSink : public MemberSink {
  public:
    WriteResult Write(const unsigned char*, std::size_t) override { return WriteResult::kOk; }
};

class PrintSink : public MemberSink {
  public:
    explicit PrintSink(const Callbacks& callbacks) : callbacks_(callbacks) {}
    WriteResult Write(const unsigned char* data, std::size_t size) override {
        callbacks_.Data(data, size);
        return WriteResult::kOk;
    }

  private:
    const Callbacks& callbacks_;
};

}  // namespace kvu::unzip
