#pragma once
// The connectivity check, with the Network List Manager's flags derived from the
// routing tables: a default route of a family means Internet connectivity for it, other
// routes through a real interface a local network.
#include <cstdint>
#include <string_view>

namespace Utils {

// NLM_CONNECTIVITY flags.
enum NetworkConnectivity : std::uint32_t {
    kConnectivityDisconnected = 0x0000,
    kConnectivityIpv4NoTraffic = 0x0001,
    kConnectivityIpv6NoTraffic = 0x0002,
    kConnectivityIpv4Subnet = 0x0010,
    kConnectivityIpv4LocalNetwork = 0x0020,
    kConnectivityIpv4Internet = 0x0040,
    kConnectivityIpv6Subnet = 0x0100,
    kConnectivityIpv6LocalNetwork = 0x0200,
    kConnectivityIpv6Internet = 0x0400,
};

// Reasons in the upper 16 bits of the check's result.
enum NetworkReason : std::uint32_t {
    kNetworkReasonNone = 0,
    kNetworkReasonDisconnected = 1,  // no connectivity at all
    kNetworkReasonNoInternet = 2,    // connected, but not to the Internet
};

// reason * 65536 + connectivity flags.
std::uint32_t CheckNetwork();

// The parts of the check, apart for tests: the flags from the text of /proc/net/route and
// /proc/net/ipv6_route, and the result from the flags.
std::uint32_t ConnectivityFromRouteTables(std::string_view ipv4Routes, std::string_view ipv6Routes);
std::uint32_t NetworkCheckResult(std::uint32_t connectivity);

inline std::uint32_t NetworkReasonOf(std::uint32_t result) { return result >> 16; }
inline std::uint32_t NetworkConnectivityOf(std::uint32_t result) { return result & 0xFFFFu; }

}  // namespace Utils
