// The demo download server (and analytics collector) on 127.0.0.1.
#include <httplib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <pthread.h>
#include <string>
#include <thread>
#include <vector>

#include "CollectorService.h"
#include "DownloadSite.h"
#include "EventPrinter.h"
#include "SelfSignedCertificate.h"

#ifndef LUMAPANE_DEMO_PACKAGE_PATH
#define LUMAPANE_DEMO_PACKAGE_PATH ""
#endif

namespace {

struct Options {
    int port = 0;
    std::string package = LUMAPANE_DEMO_PACKAGE_PATH;
    std::vector<std::string> paths;
    bool quiet = false;
    bool collectorHttps = false;
    int collectorPort = 0;
};

void Usage() {
    std::fprintf(stderr,
                 "usage: lumapane-demo-server [--port=<n>] [--package=<file>] [--path=<url path>]... [--quiet]\n"
                 "                            [--collector-https [--collector-port=<n>]]\n"
                 "  --port=0 (default) takes a free port; the chosen one is printed.\n"
                 "  --path may be given several times; default %s.\n"
                 "  The analytics collector answers on the same port at /collect; with\n"
                 "  --collector-https it answers over TLS (self-signed) on a port of its own.\n"
                 "  --quiet leaves out the request lines; usage events are always printed.\n",
                 demo::DownloadSite::kDefaultPath);
}

bool ParsePort(const std::string& text, int* port) {
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end || v < 0 || v > 65535)
        return false;
    *port = static_cast<int>(v);
    return true;
}

bool ParseOptions(int argc, char** argv, Options* o) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char* name) -> const char* {
            std::string prefix = std::string(name) + "=";
            return a.rfind(prefix, 0) == 0 ? argv[i] + prefix.size() : nullptr;
        };
        if (const char* v = value("--port")) {
            if (!ParsePort(v, &o->port))
                return false;
        } else if (const char* v = value("--package")) {
            o->package = v;
        } else if (const char* v = value("--path")) {
            if (*v != '/')
                return false;
            o->paths.push_back(v);
        } else if (const char* v = value("--collector-port")) {
            if (!ParsePort(v, &o->collectorPort))
                return false;
        } else if (a == "--collector-https") {
            o->collectorHttps = true;
        } else if (a == "--quiet") {
            o->quiet = true;
        } else {
            return false;
        }
    }
    if (o->paths.empty())
        o->paths.push_back(demo::DownloadSite::kDefaultPath);
    return !o->package.empty();
}

void Say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        Usage();
        return 2;
    }
    demo::DownloadSite site;
    std::string error;
    if (!site.Load(options.package, &error)) {
        std::fprintf(stderr, "lumapane-demo-server: %s\n", error.c_str());
        return 1;
    }

    // Signals are taken by one waiting thread, which stops the server cleanly.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    httplib::Server server;
    site.Mount(server, options.paths);
    demo::CollectorService collector;
    demo::SelfSignedCertificate certificate;
    std::unique_ptr<httplib::Server> tlsServer;
    if (options.collectorHttps) {
        if (!certificate.ok()) {
            std::fprintf(stderr, "lumapane-demo-server: cannot make a certificate\n");
            return 1;
        }
        tlsServer = std::make_unique<httplib::SSLServer>(certificate.certificate(), certificate.privateKey());
        collector.Mount(*tlsServer);
    } else {
        collector.Mount(server);
    }
    if (!options.quiet) {
        server.set_logger([](const httplib::Request& req, const httplib::Response& res) {
            std::string range = req.get_header_value("Range");
            Say("request " + req.method + " " + req.path + (range.empty() ? "" : " range=" + range) + " -> " +
                std::to_string(res.status));
        });
    }
    int port = options.port == 0 ? server.bind_to_any_port("127.0.0.1")
                                 : (server.bind_to_port("127.0.0.1", options.port) ? options.port : -1);
    if (port <= 0) {
        std::fprintf(stderr, "lumapane-demo-server: cannot listen on 127.0.0.1:%d\n", options.port);
        return 1;
    }
    const std::string base = "http://127.0.0.1:" + std::to_string(port);
    std::string collectorBase = base;
    if (tlsServer) {
        int tlsPort = options.collectorPort == 0
                          ? tlsServer->bind_to_any_port("127.0.0.1")
                          : (tlsServer->bind_to_port("127.0.0.1", options.collectorPort) ? options.collectorPort : -1);
        if (tlsPort <= 0) {
            std::fprintf(stderr, "lumapane-demo-server: cannot listen on 127.0.0.1:%d\n", options.collectorPort);
            return 1;
        }
        collectorBase = "https://127.0.0.1:" + std::to_string(tlsPort);
    }
    Say("listening " + base);
    Say("collector " + collectorBase + demo::CollectorService::kPath + "?project=pc");
    for (const auto& path : options.paths)
        Say("package " + base + path + " -> " + base + site.RealPath() + " (" + std::to_string(site.size()) +
            " bytes, md5 " + site.md5() + ")");


    demo::EventPrinter printer(collector, Say);
    std::thread tlsThread;
    if (tlsServer)
        tlsThread = std::thread([&tlsServer] { tlsServer->listen_after_bind(); });
    std::thread stopper([&server, &tlsServer, &collector, stopSignals] {
        int sig = 0;
        sigwait(&stopSignals, &sig);
        collector.Shutdown();
        server.stop();
        if (tlsServer)
            tlsServer->stop();
    });
    bool listened = server.listen_after_bind();
    // Wake the stopper when the server ended on its own.
    if (!listened)
        kill(getpid(), SIGTERM);
    stopper.join();
    if (tlsThread.joinable())
        tlsThread.join();
    printer.Stop();
    Say("stopped");
    return listened ? 0 : 1;
}
