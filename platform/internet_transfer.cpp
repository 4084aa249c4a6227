#include <cctype>
#include <string>

#include "platform/internet_transfer.h"

namespace kvu {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    }
    return true;
}

// Clears the busy flag on every way out of a request.
class ExecutingScope {
  public:
    explicit ExecutingScope(std::atomic<bool>& flag) : flag_(flag) {}
    ~ExecutingScope() { flag_.store(false); }
    ExecutingScope(const ExecutingScope&) = delete;
    ExecutingScope& operator=(const ExecutingScope&) = delete;

  private:
    std::atomic<bool>& flag_;
};

}  // namespace

bool IsHttpUrl(std::string_view url) {
    return StartsWithNoCase(url, "http://") || IsHttpsUrl(url);
}

bool IsHttpsUrl(std::string_view url) {
    return StartsWithNoCase(url, "https://");
}

bool IsDowngrade(std::string_view from, std::string_view to) {
    return IsHttpsUrl(from) && !IsHttpsUrl(to);
}

Result<std::uint64_t> InternetTransfer::OpenUrl(const std::string& url, const BodySink& sink) {
    if (!IsHttpUrl(url))
        return Error{0, "OpenUrl", "not an http or https URL: " + url};
    bool wasExecuting = executing_.exchange(true);
    if (wasExecuting)
        return Error{0, "OpenUrl", "a request is still executing"};
    ExecutingScope scope(executing_);
    return Request(url, sink);
}

}  // namespace kvu
