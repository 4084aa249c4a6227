#include <windows.h>
#include <wininet.h>

#include <cwchar>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/internet_transfer.h"
#include "platform/win32/wide.h"

namespace kvu {
namespace {

// Large reads keep the number of sink calls, and so of file writes, low.
constexpr DWORD kReadBytes = 512 * 1024;

struct HandleCloser {
    void operator()(void* handle) const { InternetCloseHandle(static_cast<HINTERNET>(handle)); }
};
using InternetHandle = std::unique_ptr<void, HandleCloser>;

bool IsSuccessStatus(DWORD status) {
    return status >= 200 && status <= 299;
}

std::string SystemText(DWORD code) {
    wchar_t* text = nullptr;
    DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                  FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM;
    DWORD n = FormatMessageW(flags, GetModuleHandleW(L"wininet.dll"), code, 0,
                             reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string result = n > 0 ? WideToUtf8(std::wstring_view(text, n)) : std::string();
    LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r'))
        result.pop_back();
    return result.empty() ? "WinINet error " + std::to_string(code) : result;
}

Error LastError(const char* what) {
    DWORD code = GetLastError();
    return Error{static_cast<long>(code), "OpenUrl", std::string(what) + ": " + SystemText(code)};
}

std::optional<DWORD> StatusCode(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr))
        return std::nullopt;
    return status;
}

// The announced body length; none for a chunked body or one that ends with the
// connection.
std::optional<std::uint64_t> ContentLength(HINTERNET request) {
    wchar_t text[32] = {};
    DWORD size = sizeof text;
    if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
        return std::nullopt;
    wchar_t* end = nullptr;
    unsigned long long length = std::wcstoull(text, &end, 10);
    if (end == text)
        return std::nullopt;
    return length;
}

struct UrlParts {
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring object;  // path and query, as sent in the request line
    bool secure = false;
};

std::optional<UrlParts> CrackUrl(const std::wstring& url) {
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    // Non-zero lengths ask for pointers into url.
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlW(url.c_str(), 0, 0, &parts) || parts.dwHostNameLength == 0)
        return std::nullopt;
    UrlParts result;
    result.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    result.port = parts.nPort;
    result.object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    result.object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    result.object = result.object.substr(0, result.object.find(L'#'));
    if (result.object.empty() || result.object[0] != L'/')
        result.object.insert(0, L"/");
    result.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    return result;
}

// Each wait (connection, sending, every receive) is limited, not the whole
// transfer. Set on every handle: not every WinINet passes them down.
void SetTimeouts(HINTERNET handle, std::chrono::milliseconds timeout) {
    DWORD ms = static_cast<DWORD>(timeout.count());
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                         INTERNET_OPTION_SEND_TIMEOUT}) {
        InternetSetOptionW(handle, option, &ms, sizeof ms);
    }
}

// Where the request ended up after the redirects that WinINet followed.
std::wstring FinalUrl(HINTERNET request) {
    wchar_t url[INTERNET_MAX_URL_LENGTH + 1] = {};
    DWORD size = sizeof url;
    if (!InternetQueryOptionW(request, INTERNET_OPTION_URL, url, &size))
        return {};
    return url;
}

Result<std::uint64_t> ReadBody(HINTERNET request, const BodySink& sink) {
    std::vector<char> buffer(kReadBytes);
    std::uint64_t total = 0;
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request, buffer.data(), kReadBytes, &read))
            return LastError("receive failed");
        if (read == 0)
            return total;
        if (!sink(std::string_view(buffer.data(), read)))
            return Error{0, "OpenUrl", "the body could not be stored"};
        total += read;
    }
}

}  // namespace

struct InternetTransfer::Session {
    InternetHandle internet;
};

InternetTransfer::InternetTransfer(std::chrono::milliseconds timeout)
    : timeout_(timeout), session_(std::make_unique<Session>()) {
    // The system's proxy settings, as the user configured them.
    session_->internet.reset(
        InternetOpenW(L"KVU", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (session_->internet)
        SetTimeouts(session_->internet.get(), timeout);
}

InternetTransfer::~InternetTransfer() = default;

Result<std::uint64_t> InternetTransfer::Request(const std::string& url, const BodySink& sink) {
    if (!session_->internet)
        return Error{0, "OpenUrl", "the HTTP client could not be started"};
    std::optional<UrlParts> parts = CrackUrl(Utf8ToWide(url));
    if (!parts)
        return LastError("not a valid URL");
    InternetHandle connection(InternetConnectW(session_->internet.get(), parts->host.c_str(),
                                               parts->port, nullptr, nullptr, INTERNET_SERVICE_HTTP,
                                               0, 0));
    if (!connection)
        return LastError("no connection");
    SetTimeouts(connection.get(), timeout_);
    // Always from the server: no cached copy is read or written. Redirects are
    // followed by HttpSendRequest itself. HTTP/1.0, because WinINet takes a
    // chunked body that was cut off for a whole one: asked in HTTP/1.0, a
    // server states the length (or ends the body by closing), and a body short
    // of its length is seen below.
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                  INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES |
                  INTERNET_FLAG_KEEP_CONNECTION | (parts->secure ? INTERNET_FLAG_SECURE : 0);
    InternetHandle request(HttpOpenRequestW(connection.get(), L"GET", parts->object.c_str(),
                                            L"HTTP/1.0", nullptr, nullptr, flags, 0));
    if (!request)
        return LastError("request failed");
    SetTimeouts(request.get(), timeout_);
    if (!HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0))
        return LastError("request failed");
    if (IsDowngrade(url, WideToUtf8(FinalUrl(request.get()))))
        return Error{0, "OpenUrl", "refused a redirect from https to http"};
    std::optional<DWORD> status = StatusCode(request.get());
    if (!status)
        return LastError("no HTTP status");
    if (!IsSuccessStatus(*status))
        return Error{static_cast<long>(*status), "OpenUrl",
                     "HTTP status " + std::to_string(*status)};
    std::optional<std::uint64_t> announced = ContentLength(request.get());
    Result<std::uint64_t> received = ReadBody(request.get(), sink);
    if (received && announced && received.value() < *announced)
        return Error{0, "OpenUrl", "the connection closed before the whole body arrived"};
    return received;
}

}  // namespace kvu
