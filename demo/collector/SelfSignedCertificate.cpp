#include "SelfSignedCertificate.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace demo {
namespace {

constexpr long kValiditySeconds = 24L * 3600;

bool AddExtension(X509* cert, int nid, const char* value) {
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, cert, cert, nullptr, nullptr, 0);
    X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
    if (!ext) return false;
    const bool added = X509_add_ext(cert, ext, -1) == 1;
    X509_EXTENSION_free(ext);
    return added;
}

}  // namespace

SelfSignedCertificate::SelfSignedCertificate() {
    EVP_PKEY* key = EVP_EC_gen("P-256");
    X509* cert = key ? X509_new() : nullptr;
    bool ok = cert != nullptr;
    if (ok) {
        X509_set_version(cert, 2);
        ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
        X509_gmtime_adj(X509_getm_notBefore(cert), -60);
        X509_gmtime_adj(X509_getm_notAfter(cert), kValiditySeconds);
        X509_set_pubkey(cert, key);
        X509_NAME* name = X509_get_subject_name(cert);
        X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("127.0.0.1"), -1,
                                   -1, 0);
        X509_set_issuer_name(cert, name);
        ok = AddExtension(cert, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost") &&
             X509_sign(cert, key, EVP_sha256()) > 0;
    }
    if (ok) {
        cert_ = cert;
        key_ = key;
    } else {
        X509_free(cert);
        EVP_PKEY_free(key);
    }
}

SelfSignedCertificate::~SelfSignedCertificate() {
    X509_free(cert_);
    EVP_PKEY_free(key_);
}

std::string SelfSignedCertificate::CertificatePem() const {
    if (!cert_) return {};
    BIO* bio = BIO_new(BIO_s_mem());
    PEM_write_bio_X509(bio, cert_);
    char* data = nullptr;
    const long len = BIO_get_mem_data(bio, &data);
    std::string pem(data, static_cast<size_t>(len));
    BIO_free(bio);
    return pem;
}

}  // namespace demo
