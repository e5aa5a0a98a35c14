#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "CollectorService.h"

namespace httplib {
class Server;
}

namespace demo {

class SelfSignedCertificate;

// A collector on 127.0.0.1 and a free port, over HTTP or HTTPS (with a
// certificate made when it starts). Stops and joins its thread on destruction.
class CollectorServer {
public:
    enum class Scheme { kHttp, kHttps };

    explicit CollectorServer(Scheme scheme = Scheme::kHttp);
    ~CollectorServer();
    CollectorServer(const CollectorServer&) = delete;
    CollectorServer& operator=(const CollectorServer&) = delete;

    // Binds and starts serving; false when the socket or the certificate failed.
    bool Start();
    void Stop();

    int port() const { return port_; }
    // The collector URL as the tracker expects it: scheme://127.0.0.1:port/collect?project=pc
    std::string Url() const;
    CollectorService& service() { return service_; }

private:
    Scheme scheme_;
    CollectorService service_;
    std::unique_ptr<SelfSignedCertificate> certificate_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    std::atomic<bool> listenEnded_{false};
};

}  // namespace demo
