#include <gtest/gtest.h>

#include "utils/Network.h"

namespace {

constexpr const char* kV4Header = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
constexpr const char* kV4Default = "eth0\t00000000\t0100A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n";
constexpr const char* kV4Subnet = "eth0\t0000A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n";
constexpr const char* kV4Down = "eth1\t00000000\t0100A8C0\t0002\t0\t0\t100\t00000000\t0\t0\t0\n";
constexpr const char* kV6Default =
    "00000000000000000000000000000000 00 00000000000000000000000000000000 00 fe800000000000000000000000000001 "
    "00000400 00000001 00000000 00000003     eth0\n";
constexpr const char* kV6LinkLocal =
    "fe800000000000000000000000000000 40 00000000000000000000000000000000 00 00000000000000000000000000000000 "
    "00000100 00000001 00000000 00000001     eth0\n";
constexpr const char* kV6Rejected =
    "00000000000000000000000000000000 00 00000000000000000000000000000000 00 00000000000000000000000000000000 "
    "ffffffff 00000001 00000000 00200200       lo\n";
constexpr const char* kV4Loopback = "lo\t0000007F\t00000000\t0001\t0\t0\t0\t000000FF\t0\t0\t0\n";

TEST(Network, FlagsAndReasonFollowTheRoutes)
{
    using namespace Utils;
    struct Case {
        const char* name;
        std::string v4, v6;
        std::uint32_t flags, reason;
    };
    const std::string h = kV4Header;
    const Case cases[] = {
        {"no routes", h, "", kConnectivityDisconnected, kNetworkReasonDisconnected},
        {"loopback and rejected only", h + kV4Loopback, kV6Rejected, kConnectivityDisconnected, kNetworkReasonDisconnected},
        {"route that is down", h + kV4Down, "", kConnectivityDisconnected, kNetworkReasonDisconnected},
        {"local subnet only", h + kV4Subnet, "", kConnectivityIpv4LocalNetwork | kConnectivityIpv6NoTraffic, kNetworkReasonNoInternet},
        {"ipv4 default", h + kV4Subnet + kV4Default, kV6LinkLocal, kConnectivityIpv4Internet | kConnectivityIpv6LocalNetwork, kNetworkReasonNone},
        {"ipv6 default", h, std::string(kV6LinkLocal) + kV6Default, kConnectivityIpv4NoTraffic | kConnectivityIpv6Internet, kNetworkReasonNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::uint32_t flags = ConnectivityFromRouteTables(c.v4, c.v6);
        EXPECT_EQ(flags, c.flags);
        const std::uint32_t result = NetworkCheckResult(flags);
        EXPECT_EQ(result, c.reason * 65536u + c.flags);
        EXPECT_EQ(NetworkReasonOf(result), c.reason);
        EXPECT_EQ(NetworkConnectivityOf(result), c.flags);
    }
}

TEST(Network, LiveCheckIsConsistent)
{
    const std::uint32_t result = Utils::CheckNetwork();
    const std::uint32_t flags = Utils::NetworkConnectivityOf(result);
    EXPECT_EQ(result, Utils::NetworkCheckResult(flags));
}

}  // namespace
