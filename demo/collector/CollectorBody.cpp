#include "CollectorBody.h"

#include <zlib.h>

#include <map>

namespace demo {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

// Splits "a=b&c=d" without decoding; a name given twice keeps its first value.
std::map<std::string, std::string> SplitForm(const std::string& body) {
    std::map<std::string, std::string> fields;
    size_t pos = 0;
    while (pos <= body.size()) {
        size_t end = body.find('&', pos);
        if (end == std::string::npos) end = body.size();
        const std::string pair = body.substr(pos, end - pos);
        const size_t eq = pair.find('=');
        if (!pair.empty()) fields.emplace(pair.substr(0, eq), eq == std::string::npos ? "" : pair.substr(eq + 1));
        pos = end + 1;
    }
    return fields;
}

std::optional<std::string> Fail(std::string* error, const char* text) {
    if (error) *error = text;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> UrlDecode(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            if (i + 2 >= text.size()) return std::nullopt;
            const int hi = HexValue(text[i + 1]);
            const int lo = HexValue(text[i + 2]);
            if (hi < 0 || lo < 0) return std::nullopt;
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else if (text[i] == '+') {
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

std::optional<std::string> Base64Decode(const std::string& text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::string out;
    out.reserve(text.size() / 4 * 3);
    for (size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const int pad = last ? (text[i + 3] == '=') + (text[i + 2] == '=') : 0;
        if (pad == 1 && text[i + 2] == '=') return std::nullopt;
        uint32_t n = 0;
        for (int k = 0; k < 4; ++k) {
            int v = 0;
            if (k < 4 - pad) {
                v = Base64Value(text[i + k]);
                if (v < 0) return std::nullopt;
            }
            n = (n << 6) | static_cast<uint32_t>(v);
        }
        out += static_cast<char>((n >> 16) & 0xFF);
        if (pad < 2) out += static_cast<char>((n >> 8) & 0xFF);
        if (pad < 1) out += static_cast<char>(n & 0xFF);
    }
    return out;
}

std::optional<std::string> Gunzip(const std::string& bytes) {
    constexpr int kGzipOnlyWindowBits = 15 + 16;
    z_stream zs{};
    if (inflateInit2(&zs, kGzipOnlyWindowBits) != Z_OK) return std::nullopt;
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    zs.avail_in = static_cast<uInt>(bytes.size());
    std::string out;
    char chunk[16384];
    int ret;
    do {
        zs.next_out = reinterpret_cast<Bytef*>(chunk);
        zs.avail_out = sizeof chunk;
        ret = inflate(&zs, Z_NO_FLUSH);
        out.append(chunk, sizeof chunk - zs.avail_out);
    } while (ret == Z_OK);
    const bool complete = ret == Z_STREAM_END && zs.avail_in == 0;
    inflateEnd(&zs);
    if (!complete) return std::nullopt;
    return out;
}

std::optional<std::string> DecodeCollectorBody(const std::string& body, std::string* error) {
    const auto fields = SplitForm(body);
    auto data = fields.find("data_list");
    if (data == fields.end()) return Fail(error, "no data_list field");
    auto gzip = fields.find("gzip");
    if (gzip == fields.end() || gzip->second != "1") return Fail(error, "no gzip=1 field");
    auto base64 = UrlDecode(data->second);
    if (!base64) return Fail(error, "bad URL encoding");
    auto compressed = Base64Decode(*base64);
    if (!compressed) return Fail(error, "bad base64");
    auto json = Gunzip(*compressed);
    if (!json) return Fail(error, "bad gzip stream");
    return json;
}

}  // namespace demo
