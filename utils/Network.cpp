#include "utils/Network.h"

#include <fstream>
#include <sstream>
#include <string>

#include "app/DebugLog.h"

namespace Utils {
namespace {

constexpr unsigned long kRouteUp = 0x0001;      // RTF_UP
constexpr unsigned long kRouteReject = 0x0200;  // RTF_REJECT
constexpr std::uint32_t kInternetFlags = kConnectivityIpv4Internet | kConnectivityIpv6Internet;

struct FamilyState {
    bool local = false;
    bool internet = false;
};

// Iface Destination Gateway Flags RefCnt Use Metric Mask ... (hexadecimal fields).
FamilyState ReadIpv4(std::string_view table)
{
    FamilyState state;
    std::istringstream in{std::string(table)};
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string iface, destination, gateway, flags, refCount, use, metric, mask;
        if (!(fields >> iface >> destination >> gateway >> flags >> refCount >> use >> metric >> mask))
            continue;
        const unsigned long f = std::stoul(flags, nullptr, 16);
        if (iface == "lo" || !(f & kRouteUp) || (f & kRouteReject))
            continue;
        state.local = true;
        if (destination == "00000000" && mask == "00000000")
            state.internet = true;
    }
    return state;
}

// Destination PrefixLength Source SourcePrefix NextHop Metric RefCnt Use Flags Iface.
FamilyState ReadIpv6(std::string_view table)
{
    FamilyState state;
    std::istringstream in{std::string(table)};
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string destination, prefix, source, sourcePrefix, nextHop, metric, refCount, use, flags, iface;
        if (!(fields >> destination >> prefix >> source >> sourcePrefix >> nextHop >> metric >> refCount >> use >>
              flags >> iface))
            continue;
        const unsigned long f = std::stoul(flags, nullptr, 16);
        if (iface == "lo" || !(f & kRouteUp) || (f & kRouteReject))
            continue;
        state.local = true;
        if (prefix == "00" && destination == std::string(32, '0'))
            state.internet = true;
    }
    return state;
}

std::string ReadText(const char* path)
{
    std::ifstream in(path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

}  // namespace

std::uint32_t ConnectivityFromRouteTables(std::string_view ipv4Routes, std::string_view ipv6Routes)
{
    const FamilyState v4 = ReadIpv4(ipv4Routes);
    const FamilyState v6 = ReadIpv6(ipv6Routes);
    if (!v4.local && !v6.local)
        return kConnectivityDisconnected;
    std::uint32_t flags = 0;
    flags |= v4.internet ? kConnectivityIpv4Internet : v4.local ? kConnectivityIpv4LocalNetwork : kConnectivityIpv4NoTraffic;
    flags |= v6.internet ? kConnectivityIpv6Internet : v6.local ? kConnectivityIpv6LocalNetwork : kConnectivityIpv6NoTraffic;
    return flags;
}

std::uint32_t NetworkCheckResult(std::uint32_t connectivity)
{
    std::uint32_t reason = kNetworkReasonNone;
    if (connectivity == kConnectivityDisconnected) {
        DEBUG_LOG(L"GetConnectivity %d", static_cast<int>(connectivity));
        reason = kNetworkReasonDisconnected;
    } else if (!(connectivity & kInternetFlags)) {
        DEBUG_LOG(L"get_IsConnectedToInternet:%d", 0);
        reason = kNetworkReasonNoInternet;
    }
    return reason * 65536u + (connectivity & 0xFFFFu);
}

std::uint32_t CheckNetwork()
{
    return NetworkCheckResult(ConnectivityFromRouteTables(ReadText("/proc/net/route"), ReadText("/proc/net/ipv6_route")));
}

}  // namespace Utils
