#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

namespace lptest {

// Where the redirect puts the digest segment of the real URL.
enum class DigestMode { Correct, Wrong, UpperCase, Missing };

// A fault applied to the next `times` requests (−1: every request) for a served
// file's real URL. The entry URL always redirects.
struct ServerFault {
    std::string method;            // "HEAD" or "GET"; empty for both
    std::string rangePrefix;       // only requests whose Range header starts with this
    int status = 0;                // answer with this status instead of 200
    std::int64_t closeAfter = -1;  // GET: drop the connection after this many body bytes
    std::int64_t stallAfter = -1;  // GET: after this many body bytes wait for ReleaseStall()
    int times = 1;

    static ServerFault Status(std::string method, int status, int times = 1);
    static ServerFault CloseAfter(std::int64_t bytes, int times = 1);
    static ServerFault StallAfter(std::int64_t bytes, int times = 1);
    ServerFault& OnRange(std::string prefix) {
        rangePrefix = std::move(prefix);
        return *this;
    }
};

struct RecordedRequest {
    std::string method;
    std::string path;
    std::string range;           // the Range header, empty when absent
    std::string acceptEncoding;  // the Accept-Encoding header, empty when absent
    std::string userAgent;
};

// Download server on 127.0.0.1 with an ephemeral port, HTTP or HTTPS. A file added
// under an entry path ("/software/197") is served at "/files/<md5>/<name>", to
// which the entry path redirects with 302. HEAD answers carry Content-Length,
// GET honours single byte ranges.
class TestDownloadServer {
public:
    struct Options {
        bool https = false;
        std::string certFolder;  // where the CA and server certificate are written; a temporary folder when empty

        static Options Https() { return Options{true, {}}; }
    };

    TestDownloadServer();
    explicit TestDownloadServer(Options options);
    ~TestDownloadServer();
    TestDownloadServer(const TestDownloadServer&) = delete;
    TestDownloadServer& operator=(const TestDownloadServer&) = delete;

    bool IsListening() const { return port_ > 0; }
    int Port() const { return port_; }
    std::string BaseUrl() const;  // "http://127.0.0.1:<port>" or "https://..."
    std::string CaFile() const { return caFile_; }

    void AddFile(const std::string& entryPath, const std::string& name, std::string body);
    std::string EntryUrl(const std::string& entryPath) const { return BaseUrl() + entryPath; }
    std::string RealUrl(const std::string& entryPath) const;
    std::string Md5Of(const std::string& entryPath) const;

    void SetDigestMode(DigestMode mode);
    void AddFault(ServerFault fault);
    void ClearFaults();
    // When on, a whole-body GET that offers gzip is answered gzip-compressed.
    void SetHonourGzip(bool on);
    // Lets every stalled response go on, and the next ones stall again.
    void ReleaseStall();
    int StalledResponses() const;

    std::vector<RecordedRequest> Requests() const;
    void ClearRequests();
    // Waits until `ready` holds for the requests seen so far.
    bool WaitForRequests(const std::function<bool(const std::vector<RecordedRequest>&)>& ready,
                         std::chrono::milliseconds timeout = std::chrono::seconds(60));
    // Waits until a response is stalled.
    bool WaitForStall(std::chrono::milliseconds timeout = std::chrono::seconds(60));
    // Waits until no response is stalled any more.
    bool WaitForNoStall(std::chrono::milliseconds timeout = std::chrono::seconds(60));

private:
    struct File {
        std::string name;
        std::shared_ptr<const std::string> body;
        std::string md5;
    };

    void Route();
    std::string DigestSegment(const File& file) const;
    bool TakeFault(const std::string& method, const std::string& range, ServerFault& out);
    bool StallUntilReleased();

    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    bool https_ = false;
    std::string caFile_;
    std::string tempFolder_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::string, File> files_;  // by entry path
    DigestMode digestMode_ = DigestMode::Correct;
    std::vector<ServerFault> faults_;
    std::vector<RecordedRequest> requests_;
    bool honourGzip_ = false;
    bool stopping_ = false;
    std::uint64_t stallGeneration_ = 0;
    int stalled_ = 0;
};

// Bytes of a test file: deterministic, not compressible to nothing, differs by seed.
std::string MakeTestBody(std::size_t size, unsigned seed = 1);

}  // namespace lptest
