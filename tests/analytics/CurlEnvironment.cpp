#include "AnalyticsTestSupport.h"

namespace {

const auto* const g_curl = ::testing::AddGlobalTestEnvironment(new analytics_test::CurlEnvironment);

}  // namespace
