#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace demo {

// The download side of the demo server: each configured path redirects to
// "/pkg/<md5>/<file>", where the package is served with its length on HEAD and
// single byte ranges on GET.
class DownloadSite {
public:
    static constexpr const char* kDefaultPath = "/software/197";
    static constexpr const char* kPackageFile = "__Package_Lumapane.exe";

    // Reads the package; false with *error when it cannot be read.
    bool Load(const std::filesystem::path& package, std::string* error);
    void Mount(httplib::Server& server, const std::vector<std::string>& paths);

    const std::string& md5() const { return md5_; }
    uint64_t size() const { return bytes_.size(); }
    // "/pkg/<md5>/__Package_Lumapane.exe"
    std::string RealPath() const;

private:
    void ServePackage(const httplib::Request& req, httplib::Response& res) const;

    std::string bytes_;
    std::string md5_;
};

// A single "bytes=" range resolved against a length: [first, last].
struct ByteRange {
    uint64_t first = 0;
    uint64_t last = 0;
};
enum class RangeResult { kNone, kRange, kUnsatisfiable, kUnsupported };
// Parses a Range header value for a resource of `length` bytes.
RangeResult ResolveRange(const std::string& header, uint64_t length, ByteRange* range);

std::string Md5Hex(const std::string& bytes);

}  // namespace demo
