#pragma once

#include <string>

typedef struct x509_st X509;
typedef struct evp_pkey_st EVP_PKEY;

namespace demo {

// A fresh key and self-signed certificate for 127.0.0.1 and localhost,
// made in memory when a TLS test server starts.
class SelfSignedCertificate {
public:
    SelfSignedCertificate();
    ~SelfSignedCertificate();
    SelfSignedCertificate(const SelfSignedCertificate&) = delete;
    SelfSignedCertificate& operator=(const SelfSignedCertificate&) = delete;

    bool ok() const { return cert_ && key_; }
    X509* certificate() const { return cert_; }
    EVP_PKEY* privateKey() const { return key_; }
    std::string CertificatePem() const;

private:
    X509* cert_ = nullptr;
    EVP_PKEY* key_ = nullptr;
};

}  // namespace demo
