#include "hall/server.h"

#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "hall/sentences.h"

namespace kinopa::hall {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
using tcp = asio::ip::tcp;

class Connection : public std::enable_shared_from_this<Connection> {
 public:
  Connection(tcp::socket socket, const ServerOptions& options, Routes& routes,
             asio::thread_pool& workers)
      : stream_(std::move(socket)), options_(options), routes_(routes), workers_(workers) {}

  void start() {
    asio::dispatch(stream_.get_executor(), [self = shared_from_this()] { self->readHeader(); });
  }

 private:
  void readHeader() {
    parser_.emplace();
    parser_->header_limit(static_cast<std::uint32_t>(options_.headerLimit));
    parser_->body_limit(options_.bodyLimit);
    stream_.expires_after(options_.headerTime);
    http::async_read_header(stream_, buffer_, *parser_,
                            [self = shared_from_this()](beast::error_code ec, std::size_t) {
                              self->headerRead(ec);
                            });
  }

  void headerRead(beast::error_code ec) {
    if (ec) return failed(ec);
    // A body declared too large is refused before any of it is read.
    const auto length = parser_->content_length();
    if (length && *length > options_.bodyLimit) return refuse(http::status::payload_too_large, kTooLarge);
    stream_.expires_after(options_.bodyTime);
    http::async_read(stream_, buffer_, *parser_,
                     [self = shared_from_this()](beast::error_code ec, std::size_t) { self->read(ec); });
  }

  void read(beast::error_code ec) {
    if (ec) return failed(ec);
    stream_.expires_never();  // the workers have it; nothing is read meanwhile
    auto request = std::make_shared<Request>(parser_->release());
    std::string address = peer();
    if (options_.trustProxy) {
      // The proxy adds the address it saw last.
      const auto forwarded = (*request)["X-Forwarded-For"];
      std::string_view list(forwarded.data(), forwarded.size());
      if (!list.empty()) {
        const std::size_t comma = list.rfind(',');
        list = comma == std::string_view::npos ? list : list.substr(comma + 1);
        while (!list.empty() && list.front() == ' ') list.remove_prefix(1);
        address = std::string(list);
      }
    }
    asio::post(workers_, [self = shared_from_this(), request, address] {
      auto response = std::make_shared<Response>(self->routes_.handle(*request, address));
      asio::post(self->stream_.get_executor(), [self, response] { self->write(response); });
    });
  }

  // A request that cannot be taken: the answer, then the connection closes.
  void refuse(http::status status, const char* sentence) {
    Request header;
    header.version(parser_->get().version());
    for (const auto& field : parser_->get()) header.set(field.name_string(), field.value());
    auto response = std::make_shared<Response>(errorResponse(header, status, sentence));
    response->keep_alive(false);
    std::fprintf(stderr, "kinopa-hall: %u: %s\n", static_cast<unsigned>(status), sentence);
    write(response);
  }

  void write(const std::shared_ptr<Response>& response) {
    stream_.expires_after(options_.writeTime);
    http::async_write(stream_, *response,
                      [self = shared_from_this(), response](beast::error_code ec, std::size_t) {
                        if (ec) return self->failed(ec);
                        if (response->need_eof()) return self->closeAfterAnswer();
                        self->readHeader();
                      });
  }

  void failed(beast::error_code ec) {
    if (ec == http::error::body_limit) return refuse(http::status::payload_too_large, kTooLarge);
    if (ec == http::error::header_limit) return refuse(http::status::request_header_fields_too_large, kBadRequest);
    // A bad request gets an answer; a client gone, or too slow, gets none.
    if (ec.category() == http::make_error_code(http::error::bad_version).category() && ec != http::error::end_of_stream &&
        ec != http::error::partial_message)
      return refuse(http::status::bad_request, kBadRequest);
    close();
  }

  void close() {
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
    stream_.close();
  }

  // The answer sent, what the client still sends is read and dropped for a
  // little while, so that closing does not reset the connection before the
  // client has read the answer (a 413 comes while the body still arrives).
  void closeAfterAnswer() {
    beast::error_code ignored;
    stream_.socket().shutdown(tcp::socket::shutdown_send, ignored);
    stream_.expires_after(std::chrono::seconds(2));
    drain();
  }
  void drain() {
    stream_.async_read_some(asio::buffer(sink_), [self = shared_from_this()](beast::error_code ec, std::size_t) {
      if (ec) return self->stream_.close();
      self->drain();
    });
  }
  char sink_[4096];

  std::string peer() {
    beast::error_code ec;
    const auto endpoint = stream_.socket().remote_endpoint(ec);
    return ec ? std::string() : endpoint.address().to_string();
  }

  beast::tcp_stream stream_;
  beast::flat_buffer buffer_;
  std::optional<http::request_parser<http::string_body>> parser_;
  const ServerOptions& options_;
  Routes& routes_;
  asio::thread_pool& workers_;
};

class Listener : public std::enable_shared_from_this<Listener> {
 public:
  Listener(asio::io_context& io, tcp::endpoint endpoint, const ServerOptions& options, Routes& routes,
           asio::thread_pool& workers)
      : io_(io), acceptor_(asio::make_strand(io)), options_(options), routes_(routes), workers_(workers) {
    acceptor_.open(endpoint.protocol());
    acceptor_.set_option(asio::socket_base::reuse_address(true));
    acceptor_.bind(endpoint);
    acceptor_.listen(asio::socket_base::max_listen_connections);
  }
  uint16_t port() const { return acceptor_.local_endpoint().port(); }

  void accept() {
    acceptor_.async_accept(asio::make_strand(io_), [self = shared_from_this()](beast::error_code ec,
                                                                              tcp::socket socket) {
      if (!ec) {
        std::make_shared<Connection>(std::move(socket), self->options_, self->routes_, self->workers_)
            ->start();
      } else if (ec == asio::error::operation_aborted) {
        return;
      } else {
        std::fprintf(stderr, "kinopa-hall: accepting a connection: %s\n", ec.message().c_str());
      }
      self->accept();
    });
  }

 private:
  asio::io_context& io_;
  tcp::acceptor acceptor_;
  const ServerOptions& options_;
  Routes& routes_;
  asio::thread_pool& workers_;
};

}  // namespace

void serve(const ServerOptions& options, Routes& routes) {
  const int threads = std::max(1, options.threads);
  asio::io_context io(threads);
  asio::thread_pool workers(static_cast<std::size_t>(threads));
  const tcp::endpoint endpoint(asio::ip::make_address(options.address), options.port);
  auto listener = std::make_shared<Listener>(io, endpoint, options, routes, workers);
  listener->accept();
  const std::string host = endpoint.address().is_v6() ? "[" + options.address + "]" : options.address;
  std::printf("kinopa-hall: serving on http://%s:%u/\n", host.c_str(), listener->port());
  std::fflush(stdout);

  asio::signal_set signals(io, SIGINT, SIGTERM);
  signals.async_wait([&](beast::error_code, int) { io.stop(); });
  std::vector<std::thread> runners;
  for (int i = 1; i < threads; ++i) runners.emplace_back([&io] { io.run(); });
  io.run();
  for (std::thread& t : runners) t.join();
  workers.join();
}

}  // namespace kinopa::hall
