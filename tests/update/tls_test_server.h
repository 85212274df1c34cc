#pragma once

#include <atomic>
#include <string>
#include <thread>

typedef struct ssl_ctx_st SSL_CTX;

// An HTTPS server on a loopback port for the certificate checks: it shows a
// self-signed certificate made out to one name (its subject alternative
// name, e.g. "DNS:xinghe.invalid" or "IP:127.0.0.1") and answers every
// request with the body "ok".
class TlsTestServer {
public:
    explicit TlsTestServer(const std::string& subject_alt_name);
    ~TlsTestServer();
    TlsTestServer(const TlsTestServer&) = delete;
    TlsTestServer& operator=(const TlsTestServer&) = delete;

    int port() const { return port_; }

private:
    void serve();
    void answer(int connection);

    SSL_CTX* context_ = nullptr;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};
