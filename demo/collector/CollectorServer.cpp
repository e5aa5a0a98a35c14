#include "CollectorServer.h"

#include <httplib.h>

#include <thread>

#include "SelfSignedCertificate.h"

namespace demo {

CollectorServer::CollectorServer(Scheme scheme) : scheme_(scheme) {}

CollectorServer::~CollectorServer() { Stop(); }

bool CollectorServer::Start() {
    if (server_) return port_ > 0;
    if (scheme_ == Scheme::kHttps) {
        certificate_ = std::make_unique<SelfSignedCertificate>();
        if (!certificate_->ok()) return false;
        server_ = std::make_unique<httplib::SSLServer>(certificate_->certificate(), certificate_->privateKey());
    } else {
        server_ = std::make_unique<httplib::Server>();
    }
    if (!server_->is_valid()) return false;
    service_.Mount(*server_);
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) return false;
    thread_ = std::thread([this] {
        server_->listen_after_bind();
        listenEnded_ = true;
    });
    // stop() only takes effect once the loop runs, so wait for it; the
    // socket already listens, so this is a short wait.
    while (!server_->is_running() && !listenEnded_) std::this_thread::yield();
    return server_->is_running();
}

void CollectorServer::Stop() {
    service_.Shutdown();
    if (server_) server_->stop();
    if (thread_.joinable()) thread_.join();
}

std::string CollectorServer::Url() const {
    return std::string(scheme_ == Scheme::kHttps ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_) +
           CollectorService::kPath + "?project=pc";
}

}  // namespace demo
