#include <curl/curl.h>

#include <algorithm>
#include <string>

#include "platform/internet_transfer.h"

namespace kvu {
namespace {

// Large reads keep the number of sink calls, and so of file writes, low.
constexpr long kReceiveBufferBytes = 512 * 1024;
constexpr long kMaxRedirects = 10;

bool IsSuccessStatus(long status) {
    return status >= 200 && status <= 299;
}

// What one request learns while curl runs it.
struct Exchange {
    CURL* curl = nullptr;
    const BodySink* sink = nullptr;
    long status = 0;
    bool sinkRefused = false;
    std::uint64_t bytes = 0;
};

std::size_t ReceiveBody(char* data, std::size_t, std::size_t size, void* user) {
    Exchange& exchange = *static_cast<Exchange*>(user);
    if (exchange.status == 0)
        curl_easy_getinfo(exchange.curl, CURLINFO_RESPONSE_CODE, &exchange.status);
    // Anything but the size taken stops the transfer: the body of an error page
    // never reaches the sink.
    if (!IsSuccessStatus(exchange.status))
        return 0;
    if (!(*exchange.sink)(std::string_view(data, size))) {
        exchange.sinkRefused = true;
        return 0;
    }
    exchange.bytes += size;
    return size;
}

// Inactivity rather than total time: a large file on a slow link may take as
// long as it needs while bytes keep arriving.
void SetTimeouts(CURL* curl, std::chrono::milliseconds timeout) {
    long stallSeconds = static_cast<long>((timeout.count() + 999) / 1000);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeout.count()));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, std::max(stallSeconds, 1L));
}

void SetRequest(CURL* curl, const std::string& url, curl_slist* headers, Exchange& exchange,
                char* errorText) {
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    // No downgrade: a request made over https is redirected over https only.
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, IsHttpsUrl(url) ? "https" : "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "KVU");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, ReceiveBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &exchange);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
}

Error TransferError(CURLcode code, const char* errorText) {
    std::string text = errorText[0] != '\0' ? errorText : curl_easy_strerror(code);
    return Error{static_cast<long>(code), "OpenUrl", text};
}

Error StatusError(long status) {
    return Error{status, "OpenUrl", "HTTP status " + std::to_string(status)};
}

}  // namespace

struct InternetTransfer::Session {
    CURL* curl = nullptr;
};

InternetTransfer::InternetTransfer(std::chrono::milliseconds timeout)
    : timeout_(timeout), session_(std::make_unique<Session>()) {
    static const bool curlReady = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (curlReady)
        session_->curl = curl_easy_init();
}

InternetTransfer::~InternetTransfer() {
    if (session_->curl != nullptr)
        curl_easy_cleanup(session_->curl);
}

Result<std::uint64_t> InternetTransfer::Request(const std::string& url, const BodySink& sink) {
    CURL* curl = session_->curl;
    if (curl == nullptr)
        return Error{0, "OpenUrl", "the HTTP client could not be started"};
    // No copy from a cache, ours or a proxy's: the file on the server counts.
    curl_slist* headers = curl_slist_append(nullptr, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");
    char errorText[CURL_ERROR_SIZE] = {};
    Exchange exchange{curl, &sink};
    SetRequest(curl, url, headers, exchange, errorText);
    SetTimeouts(curl, timeout_);
    CURLcode code = curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
    curl_slist_free_all(headers);

    if (exchange.sinkRefused)
        return Error{static_cast<long>(code), "OpenUrl", "the body could not be stored"};
    if (code == CURLE_OK && exchange.status == 0)
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &exchange.status);
    if (exchange.status != 0 && !IsSuccessStatus(exchange.status))
        return StatusError(exchange.status);
    if (code != CURLE_OK)
        return TransferError(code, errorText);
    return exchange.bytes;
}

}  // namespace kvu
