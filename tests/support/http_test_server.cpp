#include "tests/support/http_test_server.h"

#include <algorithm>
#include <cstdio>

namespace kvu::test {
namespace {

constexpr int kPollMs = 20;
constexpr std::size_t kMaxRequestHead = 64 * 1024;
constexpr auto kDrainTime = std::chrono::seconds(2);

// The path of "GET /path HTTP/1.1"; empty when the line is not a request.
std::string RequestPath(const std::string& head) {
    std::size_t first = head.find(' ');
    std::size_t second = first == std::string::npos ? first : head.find(' ', first + 1);
    if (second == std::string::npos)
        return {};
    return head.substr(first + 1, second - first - 1);
}

// The status line and headers of a response that closes its connection,
// with the blank line that ends them. Clients go by the number; the phrase
// is only for people reading a capture.
std::string ResponseHead(int status, const std::vector<std::string>& headers) {
    std::string head =
        "HTTP/1.1 " + std::to_string(status) + (status == 200 ? " OK" : " Status") + "\r\n";
    for (const std::string& header : headers)
        head += header + "\r\n";
    return head + "Connection: close\r\n\r\n";
}

}  // namespace

bool HttpExchange::Pause(std::chrono::milliseconds time) {
    std::unique_lock lock(server.mutex_);
    return !server.stopped_.wait_for(lock, time, [this] { return server.stopping_; });
}

HttpTestServer::HttpTestServer() {
    listener_ = ListenOnLoopback(port_);
    if (listener_ != kNoSocket)
        thread_ = std::thread([this] { Serve(); });
}

HttpTestServer::~HttpTestServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stopped_.notify_all();
    if (thread_.joinable())
        thread_.join();
    if (listener_ != kNoSocket)
        CloseSocket(listener_);
}

std::string HttpTestServer::Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

void HttpTestServer::Route(const std::string& path, HttpHandler handler) {
    std::lock_guard lock(mutex_);
    routes_[path] = std::move(handler);
}

int HttpTestServer::Hits(const std::string& path) const {
    std::lock_guard lock(mutex_);
    auto it = hits_.find(path);
    return it == hits_.end() ? 0 : it->second;
}

bool HttpTestServer::Stopping() const {
    std::lock_guard lock(mutex_);
    return stopping_;
}

HttpHandler HttpTestServer::HandlerFor(const std::string& path) {
    std::lock_guard lock(mutex_);
    ++hits_[path];
    auto it = routes_.find(path);
    return it != routes_.end() ? it->second : Reply(404, "no such file");
}

void HttpTestServer::Serve() {
    while (!Stopping()) {
        SocketHandle socket = AcceptWithin(listener_, kPollMs);
        if (socket != kNoSocket)
            Answer(socket);
    }
}

void HttpTestServer::Answer(SocketHandle socket) {
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxRequestHead &&
           !Stopping()) {
        long n = ReceiveWithin(socket, buffer, sizeof buffer, kPollMs);
        if (n == -2)
            continue;
        if (n <= 0)
            break;
        head.append(buffer, static_cast<std::size_t>(n));
    }
    std::string path = RequestPath(head);
    if (!path.empty()) {
        const bool http10 = head.substr(0, head.find("\r\n")).ends_with(" HTTP/1.0");
        HttpExchange exchange{*this, socket, http10};
        HandlerFor(path)(exchange);
    }
    // A graceful end: the client reads everything that was sent before it
    // sees the connection close, rather than a reset.
    ShutdownSend(socket);
    auto until = std::chrono::steady_clock::now() + kDrainTime;
    while (std::chrono::steady_clock::now() < until && !Stopping()) {
        long n = ReceiveWithin(socket, buffer, sizeof buffer, kPollMs);
        if (n == 0 || n == -1)
            break;
    }
    CloseSocket(socket);
}

HttpHandler ReplyWith(int status, std::vector<std::string> headers, std::string body) {
    return [status, headers = std::move(headers), body = std::move(body)](HttpExchange& exchange) {
        exchange.Send(ResponseHead(status, headers) + body);
    };
}

HttpHandler Reply(int status, std::string body) {
    const std::string length = "Content-Length: " + std::to_string(body.size());
    return ReplyWith(status, {length}, std::move(body));
}

HttpHandler Redirect(int status, std::string location) {
    return ReplyWith(status, {"Location: " + location, "Content-Length: 5"}, "moved");
}

HttpHandler ReplyChunked(std::vector<std::string> pieces, ChunkCut cut) {
    return [pieces = std::move(pieces), cut](HttpExchange& exchange) {
        // A cut body falls short of the length announced to HTTP/1.0.
        std::size_t total = cut == ChunkCut::kNoFinalChunk ? 1 : 0;
        for (const std::string& piece : pieces)
            total += piece.size();
        const bool http10 = exchange.http10;
        exchange.Send(ResponseHead(200, {http10 ? "Content-Length: " + std::to_string(total)
                                                : "Transfer-Encoding: chunked"}));
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            std::string_view piece = pieces[i];
            const bool cutHere = cut == ChunkCut::kMidChunk && i + 1 == pieces.size();
            char size[32];
            std::snprintf(size, sizeof size, "%zx\r\n", piece.size());
            if (!http10)
                exchange.Send(size);
            exchange.Send(cutHere ? piece.substr(0, piece.size() / 2) : piece);
            if (!http10 && !cutHere)
                exchange.Send("\r\n");
        }
        if (cut == ChunkCut::kNone && !http10)
            exchange.Send("0\r\n\r\n");
    };
}

HttpHandler AfterPause(std::chrono::milliseconds delay, HttpHandler next) {
    return [delay, next = std::move(next)](HttpExchange& exchange) {
        if (exchange.Pause(delay))
            next(exchange);
    };
}

HttpHandler ReplyStalling(std::string body, std::size_t sentFirst,
                          std::chrono::milliseconds delay) {
    return [body = std::move(body), sentFirst, delay](HttpExchange& exchange) {
        std::string_view all(body);
        exchange.Send(ResponseHead(200, {"Content-Length: " + std::to_string(body.size())}));
        exchange.Send(all.substr(0, sentFirst));
        if (exchange.Pause(delay))
            exchange.Send(all.substr(sentFirst));
    };
}

HttpHandler ReplyGenerated(std::uint64_t size) {
    return [size](HttpExchange& exchange) {
        // A multiple of the pattern's period, so every block is the same.
        constexpr std::size_t kBlock = 23 * 64 * 1024;
        const std::string block = GeneratedBody(kBlock);
        if (!exchange.Send(ResponseHead(200, {"Content-Length: " + std::to_string(size)})))
            return;
        for (std::uint64_t sent = 0; sent < size;) {
            std::size_t piece =
                static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, size - sent));
            if (!exchange.Send(std::string_view(block).substr(0, piece)))
                return;
            sent += piece;
        }
    };
}

std::string GeneratedBody(std::size_t size) {
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        body[i] = static_cast<char>('a' + i % 23);
    return body;
}

}  // namespace kvu::test
