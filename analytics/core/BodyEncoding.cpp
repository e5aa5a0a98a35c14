#include "BodyEncoding.h"

#include <zlib.h>

#include <iostream>

namespace usage_analytics {
namespace {

constexpr size_t kDeflateChunk = 32768;
constexpr int kGzipWindowBits = 31;
constexpr int kMemLevel = 8;

}  // namespace

std::optional<std::string> GzipCompress(const std::string& data) {
    z_stream zs{};
    if (deflateInit2(&zs, Z_BEST_COMPRESSION, Z_DEFLATED, kGzipWindowBits, kMemLevel, Z_DEFAULT_STRATEGY) != Z_OK) {
        std::cerr << "deflateInit2 failed while compressing." << std::endl;
        return std::nullopt;
    }
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    zs.avail_in = static_cast<uInt>(data.size());
    std::string out;
    char chunk[kDeflateChunk];
    int ret;
    do {
        zs.next_out = reinterpret_cast<Bytef*>(chunk);
        zs.avail_out = sizeof chunk;
        ret = deflate(&zs, Z_FINISH);
        out.append(chunk, sizeof chunk - zs.avail_out);
    } while (ret == Z_OK);
    const std::string message = zs.msg ? zs.msg : "";
    deflateEnd(&zs);
    if (ret != Z_STREAM_END) {
        std::cerr << "Exception during zlib compression: (" << ret << ") " << message << std::endl;
        return std::nullopt;
    }
    return out;
}

std::string Base64Encode(const std::string& bytes) {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t n = (uint32_t(uint8_t(bytes[i])) << 16) | (uint32_t(uint8_t(bytes[i + 1])) << 8) |
                           uint32_t(uint8_t(bytes[i + 2]));
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += kAlphabet[(n >> 6) & 63];
        out += kAlphabet[n & 63];
    }
    const size_t rest = bytes.size() - i;
    if (rest > 0) {
        uint32_t n = uint32_t(uint8_t(bytes[i])) << 16;
        if (rest == 2) n |= uint32_t(uint8_t(bytes[i + 1])) << 8;
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += rest == 2 ? kAlphabet[(n >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string FormUrlEncode(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 3);
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '.' || c == '_' || c == '~';
        if (keep) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::optional<std::string> EncodeBatchBody(const std::string& jsonArrayText) {
    auto gz = GzipCompress(jsonArrayText);
    if (!gz) return std::nullopt;
    return "data_list=" + FormUrlEncode(Base64Encode(*gz)) + "&gzip=1";
}

}  // namespace usage_analytics
