#include "tests/download/TestDownloadServer.h"

#include <httplib.h>
#include <openssl/evp.h>
#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "tests/download/TestCertificates.h"

namespace lptest {
namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr const char* kFaultBody = "fault";

std::string Md5Hex(const std::string& data) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(data.data(), data.size(), digest, &length, EVP_md5(), nullptr);
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        text.push_back(kHex[digest[i] >> 4]);
        text.push_back(kHex[digest[i] & 0x0F]);
    }
    return text;
}

std::string Gzip(const std::string& data) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

}  // namespace

std::string MakeTestBody(std::size_t size, unsigned seed) {
    std::string body(size, '\0');
    std::uint32_t x = 2463534242u ^ (seed * 0x9E3779B9u);
    for (std::size_t i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        body[i] = static_cast<char>(x & 0xFF);
    }
    return body;
}

ServerFault ServerFault::Status(std::string method, int status, int times) {
    ServerFault fault;
    fault.method = std::move(method);
    fault.status = status;
    fault.times = times;
    return fault;
}

ServerFault ServerFault::CloseAfter(std::int64_t bytes, int times) {
    ServerFault fault;
    fault.method = "GET";
    fault.closeAfter = bytes;
    fault.times = times;
    return fault;
}

ServerFault ServerFault::StallAfter(std::int64_t bytes, int times) {
    ServerFault fault;
    fault.method = "GET";
    fault.stallAfter = bytes;
    fault.times = times;
    return fault;
}

TestDownloadServer::TestDownloadServer() : TestDownloadServer(Options{}) {}

TestDownloadServer::TestDownloadServer(Options options) : https_(options.https) {
    if (https_) {
        std::string folder = options.certFolder;
        if (folder.empty()) {
            std::string pattern = (std::filesystem::temp_directory_path() / "lp-certs-XXXXXX").string();
            if (mkdtemp(pattern.data()) == nullptr) return;
            folder = tempFolder_ = pattern;
        }
        const TestCertificates certs = MakeTestCertificates(folder);
        if (certs.caFile.empty()) return;
        caFile_ = certs.caFile;
        server_ = std::make_unique<httplib::SSLServer>(certs.certFile.c_str(), certs.keyFile.c_str());
    } else {
        server_ = std::make_unique<httplib::Server>();
    }
    if (!server_->is_valid()) return;
    Route();
    const int port = server_->bind_to_any_port("127.0.0.1");
    if (port <= 0) return;
    port_ = port;
    // The socket already listens, so clients may connect before the loop runs.
    thread_ = std::thread([this] { server_->listen_after_bind(); });
}

TestDownloadServer::~TestDownloadServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (server_) server_->stop();
    if (thread_.joinable()) thread_.join();
    server_.reset();
    if (!tempFolder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(tempFolder_, ignored);
    }
}

std::string TestDownloadServer::BaseUrl() const {
    return std::string(https_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_);
}

void TestDownloadServer::AddFile(const std::string& entryPath, const std::string& name, std::string body) {
    File file{name, nullptr, Md5Hex(body)};
    file.body = std::make_shared<const std::string>(std::move(body));
    std::lock_guard lock(mutex_);
    files_[entryPath] = std::move(file);
}

std::string TestDownloadServer::DigestSegment(const File& file) const {
    switch (digestMode_) {
        case DigestMode::Correct: return file.md5 + "/";
        case DigestMode::Wrong: return std::string(32, file.md5[0] == '0' ? '1' : '0') + "/";
        case DigestMode::UpperCase: {
            std::string upper = file.md5;
            std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
            return upper + "/";
        }
        case DigestMode::Missing: return {};
    }
    return {};
}

std::string TestDownloadServer::RealUrl(const std::string& entryPath) const {
    std::lock_guard lock(mutex_);
    const auto it = files_.find(entryPath);
    if (it == files_.end()) return {};
    return BaseUrl() + "/files/" + DigestSegment(it->second) + it->second.name;
}

std::string TestDownloadServer::Md5Of(const std::string& entryPath) const {
    std::lock_guard lock(mutex_);
    const auto it = files_.find(entryPath);
    return it == files_.end() ? std::string() : it->second.md5;
}

void TestDownloadServer::SetDigestMode(DigestMode mode) {
    std::lock_guard lock(mutex_);
    digestMode_ = mode;
}

void TestDownloadServer::AddFault(ServerFault fault) {
    std::lock_guard lock(mutex_);
    faults_.push_back(std::move(fault));
}

void TestDownloadServer::ClearFaults() {
    std::lock_guard lock(mutex_);
    faults_.clear();
}

void TestDownloadServer::SetHonourGzip(bool on) {
    std::lock_guard lock(mutex_);
    honourGzip_ = on;
}

void TestDownloadServer::ReleaseStall() {
    {
        std::lock_guard lock(mutex_);
        ++stallGeneration_;
    }
    changed_.notify_all();
}

int TestDownloadServer::StalledResponses() const {
    std::lock_guard lock(mutex_);
    return stalled_;
}

std::vector<RecordedRequest> TestDownloadServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void TestDownloadServer::ClearRequests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

bool TestDownloadServer::WaitForRequests(const std::function<bool(const std::vector<RecordedRequest>&)>& ready,
                                         std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return ready(requests_); });
}

bool TestDownloadServer::WaitForStall(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return stalled_ > 0; });
}

bool TestDownloadServer::WaitForNoStall(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return stalled_ == 0; });
}

bool TestDownloadServer::TakeFault(const std::string& method, const std::string& range, ServerFault& out) {
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (!it->method.empty() && it->method != method) continue;
        if (range.rfind(it->rangePrefix, 0) != 0) continue;
        out = *it;
        if (it->times > 0 && --it->times == 0) faults_.erase(it);
        return true;
    }
    return false;
}

bool TestDownloadServer::StallUntilReleased() {
    std::unique_lock lock(mutex_);
    const std::uint64_t generation = stallGeneration_;
    ++stalled_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return stopping_ || stallGeneration_ != generation; });
    --stalled_;
    changed_.notify_all();
    return !stopping_;
}

void TestDownloadServer::Route() {
    server_->Get("/files/(.*)", [this](const httplib::Request& req, httplib::Response& res) {
        const bool head = req.method == "HEAD";
        const std::string name = req.path.substr(req.path.rfind('/') + 1);
        std::shared_ptr<const std::string> body;
        ServerFault fault;
        bool faulty = false;
        bool gzip = false;
        {
            std::lock_guard lock(mutex_);
            requests_.push_back({req.method, req.path, req.get_header_value("Range"),
                                 req.get_header_value("Accept-Encoding"), req.get_header_value("User-Agent")});
            changed_.notify_all();
            for (const auto& [entry, file] : files_) {
                if (file.name == name) body = file.body;
            }
            faulty = TakeFault(req.method, req.get_header_value("Range"), fault);
            gzip = honourGzip_ && !head && req.ranges.empty() &&
                   req.get_header_value("Accept-Encoding").find("gzip") != std::string::npos;
        }
        if (!body) {
            res.status = 404;
            return;
        }
        if (faulty && fault.status != 0) {
            // Like a real error page: the length is the error body's, not the file's.
            res.status = fault.status;
            res.set_content(kFaultBody, "text/plain");
            return;
        }
        if (gzip) {
            res.set_header("Content-Encoding", "gzip");
            res.set_content(Gzip(*body), "application/octet-stream");
            return;
        }
        const std::int64_t closeAfter = faulty ? fault.closeAfter : -1;
        const std::int64_t stallAfter = faulty ? fault.stallAfter : -1;
        auto sent = std::make_shared<std::int64_t>(0);
        auto stalled = std::make_shared<bool>(false);
        res.set_content_provider(
            body->size(), "application/octet-stream",
            [this, body, sent, stalled, closeAfter, stallAfter](std::size_t offset, std::size_t length,
                                                               httplib::DataSink& sink) {
                std::size_t n = std::min(length, kChunk);
                if (closeAfter >= 0) {
                    if (*sent >= closeAfter) return false;
                    n = std::min<std::size_t>(n, static_cast<std::size_t>(closeAfter - *sent));
                }
                if (stallAfter >= 0 && !*stalled) {
                    if (*sent >= stallAfter) {
                        *stalled = true;
                        if (!StallUntilReleased()) return false;
                    } else {
                        n = std::min<std::size_t>(n, static_cast<std::size_t>(stallAfter - *sent));
                    }
                }
                if (!sink.write(body->data() + offset, n)) return false;
                *sent += static_cast<std::int64_t>(n);
                return true;
            });
    });

    server_->Get("(/.*)", [this](const httplib::Request& req, httplib::Response& res) {
        std::lock_guard lock(mutex_);
        requests_.push_back({req.method, req.path, req.get_header_value("Range"),
                             req.get_header_value("Accept-Encoding"), req.get_header_value("User-Agent")});
        changed_.notify_all();
        const auto it = files_.find(req.path);
        if (it == files_.end()) {
            res.status = 404;
            return;
        }
        res.set_redirect("/files/" + DigestSegment(it->second) + it->second.name, 302);
    });
}

}  // namespace lptest
