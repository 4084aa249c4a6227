// A small HTTP/1.1 server on 127.0.0.1 for tests and benchmarks of downloads.
// It answers one connection at a time, each with its route's handler, and
// closes every connection after one answer.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "tests/support/loopback_socket.h"

namespace kvu::test {

class HttpTestServer;

// One request as its handler sees it: the raw connection, so a handler may
// answer wrongly on purpose. An HTTP/1.0 request gets no chunked answer, as
// real servers do.
struct HttpExchange {
    HttpTestServer& server;
    SocketHandle socket;
    bool http10;
    bool Send(std::string_view bytes) { return SendAll(socket, bytes); }
    // Waits for the time given; false when the server stops first.
    bool Pause(std::chrono::milliseconds time);
};

using HttpHandler = std::function<void(HttpExchange&)>;

class HttpTestServer {
  public:
    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    bool listening() const { return listener_ != kNoSocket; }
    // "http://127.0.0.1:port" followed by the path.
    std::string Url(std::string_view path) const;
    // Answers requests of exactly this path (query included); others get 404.
    void Route(const std::string& path, HttpHandler handler);
    // How many requests of this path have arrived.
    int Hits(const std::string& path) const;

  private:
    friend struct HttpExchange;
    void Serve();
    void Answer(SocketHandle socket);
    HttpHandler HandlerFor(const std::string& path);
    bool Stopping() const;

    SocketHandle listener_ = kNoSocket;
    std::uint16_t port_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    bool stopping_ = false;
    std::map<std::string, HttpHandler> routes_;
    std::map<std::string, int> hits_;
    std::thread thread_;
};

// A response with these headers and this body, the connection then closed:
// without a length the close ends the body, a length beyond the bytes sent
// cuts it off.
HttpHandler ReplyWith(int status, std::vector<std::string> headers, std::string body);
// A complete response with a Content-Length.
HttpHandler Reply(int status, std::string body);
// A redirect to location.
HttpHandler Redirect(int status, std::string location);
enum class ChunkCut { kNone, kMidChunk, kNoFinalChunk };
// A body in chunked transfer coding, one chunk per piece, whole or cut off in
// the middle of the last piece or without the final chunk. To an HTTP/1.0
// request the same body with its length (short of it when cut), as a server
// of static files answers.
HttpHandler ReplyChunked(std::vector<std::string> pieces, ChunkCut cut = ChunkCut::kNone);
// Nothing for delay, then what the next handler sends.
HttpHandler AfterPause(std::chrono::milliseconds delay, HttpHandler next);
// Headers and the body's first bytes, then nothing for delay, then the rest.
HttpHandler ReplyStalling(std::string body, std::size_t sentFirst, std::chrono::milliseconds delay);
// A body of size bytes, GeneratedBody(size), streamed from a small buffer.
HttpHandler ReplyGenerated(std::uint64_t size);

// Bytes in a repeating pattern of letters.
std::string GeneratedBody(std::size_t size);

}  // namespace kvu::test
