#include "ValueRules.h"

#include <iostream>

namespace usage_analytics {
namespace {

bool IsAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool InRange(unsigned char c, unsigned char lo, unsigned char hi) { return c >= lo && c <= hi; }

// Length of the well-formed sequence at p (RFC 3629 table), 0 when there is none.
size_t SequenceLength(const unsigned char* p, size_t left) {
    const unsigned char c = p[0];
    if (c == '\t' || c == '\n' || c == '\r' || InRange(c, 0x20, 0x7E)) return 1;
    auto tail = [&](size_t i, unsigned char lo = 0x80, unsigned char hi = 0xBF) {
        return i < left && InRange(p[i], lo, hi);
    };
    if (InRange(c, 0xC2, 0xDF)) return tail(1) ? 2 : 0;
    if (c == 0xE0) return tail(1, 0xA0, 0xBF) && tail(2) ? 3 : 0;
    if (InRange(c, 0xE1, 0xEC) || c == 0xEE || c == 0xEF) return tail(1) && tail(2) ? 3 : 0;
    if (c == 0xED) return tail(1, 0x80, 0x9F) && tail(2) ? 3 : 0;
    if (c == 0xF0) return tail(1, 0x90, 0xBF) && tail(2) && tail(3) ? 4 : 0;
    if (InRange(c, 0xF1, 0xF3)) return tail(1) && tail(2) && tail(3) ? 4 : 0;
    if (c == 0xF4) return tail(1, 0x80, 0x8F) && tail(2) && tail(3) ? 4 : 0;
    return 0;
}

}  // namespace

bool IsWellFormedText(const std::string& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t n = SequenceLength(p + pos, bytes.size() - pos);
        if (n == 0) return false;
        pos += n;
    }
    return pos == bytes.size();
}

bool CheckName(const std::string& name, const std::string& label) {
    if (name.empty() || name.size() > kMaxNameBytes) {
        std::cerr << "The " << label << " is empty or too long, max length is 100";
        return false;
    }
    for (size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        const bool ok = IsAsciiLetter(c) || c == '$' || c == '_' || (i > 0 && IsAsciiDigit(c));
        if (!ok) {
            std::cerr << "The " << label << " need to be a valid variable name.";
            return false;
        }
    }
    return true;
}

bool CheckIdentity(const std::string& id, const std::string& label) {
    if (id.empty()) {
        std::cerr << "The " << label << " is empty." << std::endl;
        return false;
    }
    if (id.size() > kMaxIdentityBytes) {
        std::cerr << "The " << label << " is too long, max length is 255." << std::endl;
        return false;
    }
    return true;
}

bool CheckStringValue(const std::string& name, const std::string& value) {
    if (value.size() > kMaxStringValueBytes) {
        std::cerr << "String property '" << name << "' is too long, value: " << value << std::endl;
        return false;
    }
    if (!IsWellFormedText(value)) {
        std::cerr << "String property '" << name << "' is not valid UTF-8 string, value: " << value << std::endl;
        return false;
    }
    return true;
}

}  // namespace usage_analytics
