#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// MD5 message digest as RFC 1321 defines it.
class Md5Context {
public:
    using Digest = std::array<std::uint8_t, 16>;

    Md5Context() { Init(); }

    void Init();
    void Update(const void* data, std::size_t size);
    Digest Final();

private:
    void Transform(const std::uint8_t block[64]);

    std::uint32_t count_[2];   // message length in bits, low word first
    std::uint32_t state_[4];
    std::uint8_t buffer_[64];
};
