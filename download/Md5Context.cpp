#include "download/Md5Context.h"

#include <cstring>

namespace {

constexpr std::uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};


inline std::uint32_t RotateLeft(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

inline std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return (x & y) | (~x & z); }
inline std::uint32_t G(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return (x & z) | (y & ~z); }
inline std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return x ^ y ^ z; }
inline std::uint32_t I(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return y ^ (x | ~z); }

template <std::uint32_t (*Fn)(std::uint32_t, std::uint32_t, std::uint32_t)>
inline void Step(std::uint32_t& a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t xk, int s) {
    a = b + RotateLeft(a + Fn(b, c, d) + xk, s);
}

void EncodeLittleEndian(std::uint8_t* out, const std::uint32_t* in, std::size_t words) {
    for (std::size_t i = 0; i < words; ++i) {
        out[i * 4] = static_cast<std::uint8_t>(in[i]);
        out[i * 4 + 1] = static_cast<std::uint8_t>(in[i] >> 8);
        out[i * 4 + 2] = static_cast<std::uint8_t>(in[i] >> 16);
        out[i * 4 + 3] = static_cast<std::uint8_t>(in[i] >> 24);
    }
}

}  // namespace

void Md5Context::Init() {
    count_[0] = count_[1] = 0;
    state_[0] = 0x67452301;
    state_[1] = 0xefcdab89;
    state_[2] = 0x98badcfe;
    state_[3] = 0x10325476;
    std::memset(buffer_, 0, sizeof buffer_);
}

void Md5Context::Transform(const std::uint8_t block[64]) {
    std::uint32_t x[16];
    for (int i = 0; i < 16; ++i) {
        x[i] = std::uint32_t(block[i * 4]) | (std::uint32_t(block[i * 4 + 1]) << 8) |
               (std::uint32_t(block[i * 4 + 2]) << 16) | (std::uint32_t(block[i * 4 + 3]) << 24);
    }
    std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    // The 64 steps are written out so that the compiler keeps the words in registers.
    Step<F>(a, b, c, d, x[0] + kSine[0], 7);
    Step<F>(d, a, b, c, x[1] + kSine[1], 12);
    Step<F>(c, d, a, b, x[2] + kSine[2], 17);
    Step<F>(b, c, d, a, x[3] + kSine[3], 22);
    Step<F>(a, b, c, d, x[4] + kSine[4], 7);
    Step<F>(d, a, b, c, x[5] + kSine[5], 12);
    Step<F>(c, d, a, b, x[6] + kSine[6], 17);
    Step<F>(b, c, d, a, x[7] + kSine[7], 22);
    Step<F>(a, b, c, d, x[8] + kSine[8], 7);
    Step<F>(d, a, b, c, x[9] + kSine[9], 12);
    Step<F>(c, d, a, b, x[10] + kSine[10], 17);
    Step<F>(b, c, d, a, x[11] + kSine[11], 22);
    Step<F>(a, b, c, d, x[12] + kSine[12], 7);
    Step<F>(d, a, b, c, x[13] + kSine[13], 12);
    Step<F>(c, d, a, b, x[14] + kSine[14], 17);
    Step<F>(b, c, d, a, x[15] + kSine[15], 22);
    Step<G>(a, b, c, d, x[1] + kSine[16], 5);
    Step<G>(d, a, b, c, x[6] + kSine[17], 9);
    Step<G>(c, d, a, b, x[11] + kSine[18], 14);
    Step<G>(b, c, d, a, x[0] + kSine[19], 20);
    Step<G>(a, b, c, d, x[5] + kSine[20], 5);
    Step<G>(d, a, b, c, x[10] + kSine[21], 9);
    Step<G>(c, d, a, b, x[15] + kSine[22], 14);
    Step<G>(b, c, d, a, x[4] + kSine[23], 20);
    Step<G>(a, b, c, d, x[9] + kSine[24], 5);
    Step<G>(d, a, b, c, x[14] + kSine[25], 9);
    Step<G>(c, d, a, b, x[3] + kSine[26], 14);
    Step<G>(b, c, d, a, x[8] + kSine[27], 20);
    Step<G>(a, b, c, d, x[13] + kSine[28], 5);
    Step<G>(d, a, b, c, x[2] + kSine[29], 9);
    Step<G>(c, d, a, b, x[7] + kSine[30], 14);
    Step<G>(b, c, d, a, x[12] + kSine[31], 20);
    Step<H>(a, b, c, d, x[5] + kSine[32], 4);
    Step<H>(d, a, b, c, x[8] + kSine[33], 11);
    Step<H>(c, d, a, b, x[11] + kSine[34], 16);
    Step<H>(b, c, d, a, x[14] + kSine[35], 23);
    Step<H>(a, b, c, d, x[1] + kSine[36], 4);
    Step<H>(d, a, b, c, x[4] + kSine[37], 11);
    Step<H>(c, d, a, b, x[7] + kSine[38], 16);
    Step<H>(b, c, d, a, x[10] + kSine[39], 23);
    Step<H>(a, b, c, d, x[13] + kSine[40], 4);
    Step<H>(d, a, b, c, x[0] + kSine[41], 11);
    Step<H>(c, d, a, b, x[3] + kSine[42], 16);
    Step<H>(b, c, d, a, x[6] + kSine[43], 23);
    Step<H>(a, b, c, d, x[9] + kSine[44], 4);
    Step<H>(d, a, b, c, x[12] + kSine[45], 11);
    Step<H>(c, d, a, b, x[15] + kSine[46], 16);
    Step<H>(b, c, d, a, x[2] + kSine[47], 23);
    Step<I>(a, b, c, d, x[0] + kSine[48], 6);
    Step<I>(d, a, b, c, x[7] + kSine[49], 10);
    Step<I>(c, d, a, b, x[14] + kSine[50], 15);
    Step<I>(b, c, d, a, x[5] + kSine[51], 21);
    Step<I>(a, b, c, d, x[12] + kSine[52], 6);
    Step<I>(d, a, b, c, x[3] + kSine[53], 10);
    Step<I>(c, d, a, b, x[10] + kSine[54], 15);
    Step<I>(b, c, d, a, x[1] + kSine[55], 21);
    Step<I>(a, b, c, d, x[8] + kSine[56], 6);
    Step<I>(d, a, b, c, x[15] + kSine[57], 10);
    Step<I>(c, d, a, b, x[6] + kSine[58], 15);
    Step<I>(b, c, d, a, x[13] + kSine[59], 21);
    Step<I>(a, b, c, d, x[4] + kSine[60], 6);
    Step<I>(d, a, b, c, x[11] + kSine[61], 10);
    Step<I>(c, d, a, b, x[2] + kSine[62], 15);
    Step<I>(b, c, d, a, x[9] + kSine[63], 21);
    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
}

void Md5Context::Update(const void* data, std::size_t size) {
    const auto* in = static_cast<const std::uint8_t*>(data);
    std::size_t index = (count_[0] >> 3) & 0x3F;
    const std::uint64_t bits = (std::uint64_t(count_[1]) << 32 | count_[0]) + (std::uint64_t(size) << 3);
    count_[0] = static_cast<std::uint32_t>(bits);
    count_[1] = static_cast<std::uint32_t>(bits >> 32);

    std::size_t i = 0;
    const std::size_t room = 64 - index;
    if (size >= room) {
        std::memcpy(buffer_ + index, in, room);
        Transform(buffer_);
        for (i = room; i + 63 < size; i += 64) Transform(in + i);
        index = 0;
    }
    std::memcpy(buffer_ + index, in + i, size - i);
}

Md5Context::Digest Md5Context::Final() {
    std::uint8_t bits[8];
    EncodeLittleEndian(bits, count_, 2);
    const std::size_t index = (count_[0] >> 3) & 0x3F;
    const std::size_t padLength = index < 56 ? 56 - index : 120 - index;
    static const std::uint8_t kPadding[64] = {0x80};
    Update(kPadding, padLength);
    Update(bits, 8);
    Digest digest;
    EncodeLittleEndian(digest.data(), state_, 4);
    Init();
    return digest;
}
