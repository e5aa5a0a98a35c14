#pragma once

#include <string>

namespace lptest {

// A certificate authority and a server certificate for 127.0.0.1 and
// localhost, made with OpenSSL into PEM files under `folder`.
struct TestCertificates {
    std::string caFile;
    std::string certFile;
    std::string keyFile;
};

// Empty paths when OpenSSL fails.
TestCertificates MakeTestCertificates(const std::string& folder);

}  // namespace lptest
