#include "tls_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <string_view>

namespace {

// A self-signed certificate and its key, valid for an hour either side of now.
X509* make_certificate(EVP_PKEY* key, const std::string& subject_alt_name) {
    X509* cert = X509_new();
    X509_set_version(cert, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
    X509_gmtime_adj(X509_getm_notBefore(cert), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert), 3600);
    X509_set_pubkey(cert, key);
    X509_NAME* name = X509_get_subject_name(cert);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("xinghe test"), -1, -1, 0);
    X509_set_issuer_name(cert, name);
    X509V3_CTX v3;
    X509V3_set_ctx_nodb(&v3);
    X509V3_set_ctx(&v3, cert, cert, nullptr, nullptr, 0);
    X509_EXTENSION* alt =
        X509V3_EXT_conf_nid(nullptr, &v3, NID_subject_alt_name, subject_alt_name.c_str());
    X509_add_ext(cert, alt, -1);
    X509_EXTENSION_free(alt);
    X509_sign(cert, key, EVP_sha256());
    return cert;
}

}  // namespace

TlsTestServer::TlsTestServer(const std::string& subject_alt_name) {
    // A client that gives up on the certificate closes the connection under
    // the reply; that must not end the test program.
    std::signal(SIGPIPE, SIG_IGN);
    EVP_PKEY* key = EVP_EC_gen("P-256");
    X509* cert = make_certificate(key, subject_alt_name);
    context_ = SSL_CTX_new(TLS_server_method());
    SSL_CTX_use_certificate(context_, cert);
    SSL_CTX_use_PrivateKey(context_, key);
    X509_free(cert);
    EVP_PKEY_free(key);

    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
    ::listen(listener_, 8);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

TlsTestServer::~TlsTestServer() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
    SSL_CTX_free(context_);
}

void TlsTestServer::serve() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0) {
            continue;
        }
        int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection >= 0) {
            answer(connection);
            ::close(connection);
        }
    }
}

void TlsTestServer::answer(int connection) {
    timeval limit{5, 0};
    ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    SSL* ssl = SSL_new(context_);
    SSL_set_fd(ssl, connection);
    if (SSL_accept(ssl) == 1) {
        std::string request;
        char buffer[1024];
        int got;
        while (request.find("\r\n\r\n") == std::string::npos &&
               (got = SSL_read(ssl, buffer, sizeof buffer)) > 0) {
            request.append(buffer, static_cast<size_t>(got));
        }
        constexpr std::string_view reply =
            "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
        SSL_write(ssl, reply.data(), static_cast<int>(reply.size()));
        SSL_shutdown(ssl);
    }
    SSL_free(ssl);
}
