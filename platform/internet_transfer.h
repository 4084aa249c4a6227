// The HTTP and HTTPS transfer.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/error.h"

namespace kvu {

// How long a transfer may wait for a connection or for the next bytes.
inline constexpr std::chrono::milliseconds kTransferTimeout{60'000};

// Receives the body piece by piece as it arrives; false stops the transfer.
using BodySink = std::function<bool(std::string_view bytes)>;

// True for an absolute http:// or https:// URL (scheme in any case).
bool IsHttpUrl(std::string_view url);

// True for an https:// URL (scheme in any case).
bool IsHttpsUrl(std::string_view url);

// True when a redirect from one URL to the other leaves https for plain http;
// such redirects are refused.
bool IsDowngrade(std::string_view from, std::string_view to);

// The HTTP client of one main window: the system's proxy settings, no cache,
// redirects followed except from https to http. One request at a time; the
// request blocks its caller.
class InternetTransfer {
  public:
    explicit InternetTransfer(std::chrono::milliseconds timeout = kTransferTimeout);
    ~InternetTransfer();
    InternetTransfer(const InternetTransfer&) = delete;
    InternetTransfer& operator=(const InternetTransfer&) = delete;

    // True while a request of this object is running.
    bool StillExecuting() const { return executing_.load(); }

    // Requests the URL and hands the body of a 2xx response to sink; returns the
    // number of body bytes. Fails on any other status (number: the status, the
    // body is not handed over), on a body cut off in any framing (shorter than
    // its length, a chunked body without its end), a broken connection, a
    // redirect from https to http, a time-out (no connection or no bytes for the time-out; a slow
    // but moving transfer may take as long as it needs), a sink that refused
    // bytes, a URL that is not http or https, or a request made while another
    // one is still running.
    Result<std::uint64_t> OpenUrl(const std::string& url, const BodySink& sink);

  private:
    struct Session;
    Result<std::uint64_t> Request(const std::string& url, const BodySink& sink);

    std::chrono::milliseconds timeout_;
    std::unique_ptr<Session> session_;
    std::atomic<bool> executing_{false};
};

}  // namespace kvu
