#include "tests/download/TestCertificates.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <memory>

namespace lptest {
namespace {

using KeyPtr = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using CertPtr = std::unique_ptr<X509, decltype(&X509_free)>;

KeyPtr NewKey() { return KeyPtr(EVP_EC_gen("P-256"), &EVP_PKEY_free); }

bool AddExtension(X509* cert, X509* issuer, int nid, const char* value) {
    X509V3_CTX ctx;
    X509V3_set_ctx_nodb(&ctx);
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* ext = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
    if (ext == nullptr) return false;
    const bool ok = X509_add_ext(cert, ext, -1) == 1;
    X509_EXTENSION_free(ext);
    return ok;
}

CertPtr NewCert(EVP_PKEY* key, const char* commonName, long serial, X509* issuer, EVP_PKEY* issuerKey,
                bool isCa) {
    CertPtr cert(X509_new(), &X509_free);
    if (!cert) return cert;
    X509_set_version(cert.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), serial);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), 7L * 24 * 3600);
    X509_set_pubkey(cert.get(), key);
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(commonName), -1,
                               -1, 0);
    X509* signer = issuer ? issuer : cert.get();
    X509_set_issuer_name(cert.get(), X509_get_subject_name(signer));
    bool ok = true;
    if (isCa) {
        ok = AddExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:TRUE") &&
             AddExtension(cert.get(), signer, NID_key_usage, "critical,keyCertSign,cRLSign") &&
             AddExtension(cert.get(), signer, NID_subject_key_identifier, "hash");
    } else {
        ok = AddExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:FALSE") &&
             AddExtension(cert.get(), signer, NID_key_usage, "critical,digitalSignature,keyEncipherment") &&
             AddExtension(cert.get(), signer, NID_ext_key_usage, "serverAuth") &&
             AddExtension(cert.get(), signer, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
    }
    if (!ok || X509_sign(cert.get(), issuerKey ? issuerKey : key, EVP_sha256()) == 0) cert.reset();
    return cert;
}

bool WritePem(const std::string& path, X509* cert, EVP_PKEY* key) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool ok = cert ? PEM_write_X509(file, cert) == 1
                         : PEM_write_PrivateKey(file, key, nullptr, nullptr, 0, nullptr, nullptr) == 1;
    return std::fclose(file) == 0 && ok;
}

}  // namespace

TestCertificates MakeTestCertificates(const std::string& folder) {
    KeyPtr caKey = NewKey();
    KeyPtr serverKey = NewKey();
    if (!caKey || !serverKey) return {};
    CertPtr ca = NewCert(caKey.get(), "Lumapane Test CA", 1, nullptr, nullptr, true);
    if (!ca) return {};
    CertPtr server = NewCert(serverKey.get(), "127.0.0.1", 2, ca.get(), caKey.get(), false);
    if (!server) return {};

    TestCertificates out{folder + "/ca.pem", folder + "/server.pem", folder + "/server.key"};
    if (!WritePem(out.caFile, ca.get(), nullptr) || !WritePem(out.certFile, server.get(), nullptr) ||
        !WritePem(out.keyFile, nullptr, serverKey.get()))
        return {};
    return out;
}

}  // namespace lptest
