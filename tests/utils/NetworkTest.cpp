#include <gtest/gtest.h>
#include <string>

#include "utils/Network.h"

namespace {

const std::string kV4Header = "Iface\tDestination\tGateway\tFlags\tRefCnt\tUse\tMetric\tMask\tMTU\tWindow\tIRTT\n";
const std::string kV4Default = "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n";
const std::string kV4Subnet = "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
const std::string kV4Loopback = "lo\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n";
const std::string kV4RejectDefault = "eth0\t00000000\t00000000\t0201\t0\t0\t0\t00000000\t0\t0\t0\n";
const std::string kV4Malformed = "eth0\t00000000\t00000000\tzz\t0\t0\t0\t00000000\t0\t0\t0\n";
const std::string kV6Default = "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
                               "fd000000000000000000000000000001 00000400 00000002 00000000 00000003 eth0\n";
const std::string kV6Local = "fe800000000000000000000000000000 40 00000000000000000000000000000000 00 "
                             "00000000000000000000000000000000 00000100 00000002 00000000 00000001 eth0\n";
const std::string kV6Loopback = "00000000000000000000000000000001 80 00000000000000000000000000000000 00 "
                                "00000000000000000000000000000000 00000000 00000002 00000000 80200001 lo\n";

TEST(Network, ConnectivityFromRouteTables)
{
    using namespace Utils;
    struct Case {
        const char* name;
        std::string v4, v6;
        std::uint32_t flags, reason;
    };
    const Case cases[] = {
        {"nothing", kV4Header, "", kConnectivityDisconnected, kNetworkReasonDisconnected},
        {"loopback only", kV4Header + kV4Loopback, kV6Loopback, kConnectivityDisconnected, kNetworkReasonDisconnected},
        {"ipv4 internet", kV4Header + kV4Default + kV4Subnet, kV6Loopback,
         kConnectivityIpv4Internet | kConnectivityIpv6NoTraffic, kNetworkReasonNone},
        {"ipv4 subnet only", kV4Header + kV4Subnet, "",
         kConnectivityIpv4LocalNetwork | kConnectivityIpv6NoTraffic, kNetworkReasonNoInternet},
        {"ipv6 internet", kV4Header, kV6Local + kV6Default,
         kConnectivityIpv4NoTraffic | kConnectivityIpv6Internet, kNetworkReasonNone},
        {"both", kV4Header + kV4Default, kV6Default, kConnectivityIpv4Internet | kConnectivityIpv6Internet,
         kNetworkReasonNone},
        {"rejected default route", kV4Header + kV4RejectDefault + kV4Subnet, "",
         kConnectivityIpv4LocalNetwork | kConnectivityIpv6NoTraffic, kNetworkReasonNoInternet},
        {"malformed lines are skipped", kV4Header + kV4Malformed + "short line\n", "garbage\n",
         kConnectivityDisconnected, kNetworkReasonDisconnected},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::uint32_t flags = ConnectivityFromRouteTables(c.v4, c.v6);
        EXPECT_EQ(flags, c.flags);
        const std::uint32_t result = NetworkCheckResult(flags);
        EXPECT_EQ(NetworkReasonOf(result), c.reason);
        EXPECT_EQ(NetworkConnectivityOf(result), c.flags);
        EXPECT_EQ(result, c.reason * 65536u + c.flags);
    }
}

TEST(Network, CheckOfThisMachineIsConsistent)
{
    const std::uint32_t result = Utils::CheckNetwork();
    const std::uint32_t flags = Utils::NetworkConnectivityOf(result);
    EXPECT_EQ(result, Utils::NetworkCheckResult(flags));
    EXPECT_LE(Utils::NetworkReasonOf(result), 2u);
}

}  // namespace
