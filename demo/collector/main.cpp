// Stand-alone collector for staging and the demo: serves the analytics
// endpoint on 127.0.0.1 and prints each accepted record as one JSON line.
#include <httplib.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>

#include "CollectorService.h"
#include "SelfSignedCertificate.h"

int main(int argc, char** argv) {
    int port = 0;
    bool https = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--https") {
            https = true;
        } else if (arg.rfind("--port=", 0) == 0) {
            port = std::atoi(arg.c_str() + 7);
        } else {
            std::cerr << "usage: " << argv[0] << " [--https] [--port=N]\n";
            return 2;
        }
    }
    demo::SelfSignedCertificate certificate;
    std::unique_ptr<httplib::Server> server;
    if (https) {
        if (!certificate.ok()) return 1;
        server = std::make_unique<httplib::SSLServer>(certificate.certificate(), certificate.privateKey());
    } else {
        server = std::make_unique<httplib::Server>();
    }
    demo::CollectorService service;
    service.Mount(*server);
    server->set_logger([](const httplib::Request&, const httplib::Response& res) {
        std::cout << "batch status " << res.status << std::endl;
    });
    const int bound = port > 0 ? (server->bind_to_port("127.0.0.1", port) ? port : -1)
                               : server->bind_to_any_port("127.0.0.1");
    if (bound <= 0) {
        std::cerr << "cannot bind 127.0.0.1:" << port << "\n";
        return 1;
    }
    std::cout << (https ? "https" : "http") << "://127.0.0.1:" << bound << demo::CollectorService::kPath
              << "?project=pc" << std::endl;
    // Signals are taken by sigwait on this thread, so the serving threads never see them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::thread serving([&] { server->listen_after_bind(); });
    int received = 0;
    sigwait(&stopSignals, &received);
    service.Shutdown();
    server->stop();
    serving.join();
    for (const auto& record : service.AcceptedRecords()) std::cout << record.dump() << "\n";
    return 0;
}
