#include "DownloadSite.h"

#include <httplib.h>
#include <openssl/evp.h>

#include <cstdio>
#include <fstream>

namespace demo {

namespace {

constexpr const char* kContentType = "application/octet-stream";

bool ParseNumber(const std::string& text, uint64_t* out) {
    if (text.empty() || text.size() > 19)
        return false;
    uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + static_cast<uint64_t>(c - '0');
    }
    *out = v;
    return true;
}

}  // namespace

std::string Md5Hex(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &n, EVP_md5(), nullptr) != 1)
        return "";
    std::string hex;
    char two[3];
    for (unsigned int i = 0; i < n; ++i) {
        std::snprintf(two, sizeof two, "%02x", digest[i]);
        hex += two;
    }
    return hex;
}

RangeResult ResolveRange(const std::string& header, uint64_t length, ByteRange* range) {
    if (header.empty())
        return RangeResult::kNone;
    const std::string unit = "bytes=";
    if (header.rfind(unit, 0) != 0)
        return RangeResult::kUnsupported;
    std::string spec = header.substr(unit.size());
    if (spec.find(',') != std::string::npos)
        return RangeResult::kUnsupported;  // several ranges: answered with the whole file
    size_t dash = spec.find('-');
    if (dash == std::string::npos)
        return RangeResult::kUnsupported;
    std::string a = spec.substr(0, dash), b = spec.substr(dash + 1);
    uint64_t first = 0, last = 0;
    if (a.empty()) {  // suffix: the last b bytes
        if (!ParseNumber(b, &last))
            return RangeResult::kUnsupported;
        if (last == 0 || length == 0)
            return RangeResult::kUnsatisfiable;
        range->first = last >= length ? 0 : length - last;
        range->last = length - 1;
        return RangeResult::kRange;
    }
    if (!ParseNumber(a, &first) || (!b.empty() && !ParseNumber(b, &last)) || (!b.empty() && last < first))
        return RangeResult::kUnsupported;
    if (first >= length)
        return RangeResult::kUnsatisfiable;
    range->first = first;
    range->last = b.empty() || last >= length ? length - 1 : last;
    return RangeResult::kRange;
}

bool DownloadSite::Load(const std::filesystem::path& package, std::string* error) {
    std::ifstream in(package, std::ios::binary);
    if (!in) {
        *error = "cannot read " + package.string();
        return false;
    }
    bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    md5_ = Md5Hex(bytes_);
    if (md5_.size() != 32) {
        *error = "cannot compute the MD5 digest of " + package.string();
        return false;
    }
    return true;
}

std::string DownloadSite::RealPath() const { return "/pkg/" + md5_ + "/" + kPackageFile; }

void DownloadSite::ServePackage(const httplib::Request& req, httplib::Response& res) const {
    // The server library would slice the body once more by the ranges it parsed;
    // ranges are answered here, so its copy is cleared (the request object itself
    // is not const, only the handler's view of it).
    const_cast<httplib::Request&>(req).ranges.clear();
    res.set_header("Accept-Ranges", "bytes");
    ByteRange range;
    const uint64_t length = bytes_.size();
    switch (ResolveRange(req.get_header_value("Range"), length, &range)) {
    case RangeResult::kRange: {
        res.status = 206;
        res.set_header("Content-Range", "bytes " + std::to_string(range.first) + "-" + std::to_string(range.last) +
                                            "/" + std::to_string(length));
        const uint64_t count = range.last - range.first + 1;
        const char* data = bytes_.data() + range.first;
        res.set_content_provider(count, kContentType, [data](size_t offset, size_t n, httplib::DataSink& sink) {
            return sink.write(data + offset, n);
        });
        return;
    }
    case RangeResult::kUnsatisfiable:
        res.status = 416;
        res.set_header("Content-Range", "bytes */" + std::to_string(length));
        return;
    case RangeResult::kNone:
    case RangeResult::kUnsupported:
        res.status = 200;
        res.set_content_provider(length, kContentType, [this](size_t offset, size_t n, httplib::DataSink& sink) {
            return sink.write(bytes_.data() + offset, n);
        });
        return;
    }
}

void DownloadSite::Mount(httplib::Server& server, const std::vector<std::string>& paths) {
    const std::string real = RealPath();
    for (const auto& path : paths) {
        server.Get(path, [real](const httplib::Request&, httplib::Response& res) { res.set_redirect(real, 302); });
    }
    // Any other digest in the path is a stale link: not found, as on the real server.
    server.Get(R"(/pkg/([0-9a-f]{32})/([^/]+))", [this](const httplib::Request& req, httplib::Response& res) {
        if (req.matches[1] != md5_ || req.matches[2] != kPackageFile) {
            res.status = 404;
            return;
        }
        ServePackage(req, res);
    });
}

}  // namespace demo
