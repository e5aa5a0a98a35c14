#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <string>

#include "download/FileMd5.h"
#include "download/Md5Context.h"
#include "tests/download/DownloadTestSupport.h"
#include "tests/download/TestDownloadServer.h"

namespace {

std::string Hex(const Md5Context::Digest& digest) {
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (auto byte : digest) {
        text.push_back(kHex[byte >> 4]);
        text.push_back(kHex[byte & 0x0F]);
    }
    return text;
}

std::string ReferenceMd5(const std::string& data) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(data.data(), data.size(), digest, &length, EVP_md5(), nullptr);
    Md5Context::Digest out{};
    std::copy(digest, digest + 16, out.begin());
    return Hex(out);
}

TEST(Md5Context, MatchesTheRfc1321TestSuite) {
    const struct {
        const char* message;
        const char* digest;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases) {
        Md5Context context;
        context.Update(c.message, std::char_traits<char>::length(c.message));
        EXPECT_EQ(Hex(context.Final()), c.digest) << '"' << c.message << '"';
    }
}

TEST(Md5Context, PiecesAnyWhereGiveTheDigestOfTheWhole) {
    // Lengths around the 56- and 64-byte padding boundaries, fed in uneven pieces.
    for (std::size_t length : {55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 128u, 1000u, 70000u}) {
        const std::string data = lptest::MakeTestBody(length, static_cast<unsigned>(length));
        for (std::size_t piece : {1u, 7u, 63u, 64u, 1024u}) {
            Md5Context context;
            for (std::size_t at = 0; at < data.size(); at += piece)
                context.Update(data.data() + at, std::min(piece, data.size() - at));
            EXPECT_EQ(Hex(context.Final()), ReferenceMd5(data)) << length << " bytes in pieces of " << piece;
        }
    }
}

TEST(GetFileMd5, DigestsFilesAndRefusesWhatCannotBeOpened) {
    lptest::TempFolder folder;
    lptest::WriteFileBytes(folder.File("abc"), "abc");
    lptest::WriteFileBytes(folder.File("empty"), "");
    const std::string big = lptest::MakeTestBody(3 * 1024 * 1024 + 17, 9);
    lptest::WriteFileBytes(folder.File("big"), big);

    EXPECT_EQ(GetFileMd5(folder.File("abc")), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(GetFileMd5(folder.File("empty")), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(GetFileMd5(folder.File("big")), ReferenceMd5(big));
    EXPECT_EQ(GetFileMd5(""), "");
    EXPECT_EQ(GetFileMd5(folder.File("missing")), "");
}

TEST(GetUrlMd5, TakesTheSecondToLastSegment) {
    const struct {
        const char* url;
        const char* expected;
    } cases[] = {
        {"http://h/files/900150983cd24fb0d6963f7d28e17f72/pkg.exe", "900150983cd24fb0d6963f7d28e17f72"},
        {"http://h/files/900150983CD24FB0D6963F7D28E17F72/pkg.exe", "900150983CD24FB0D6963F7D28E17F72"},
        {"http://h/a/b/c?x=/y", "c?x="},  // a query is not treated specially
        {"http://h/pkg.exe", "h"},
        {"a/b", ""},
        {"/b", ""},
        {"nothing", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(GetUrlMd5(c.url), c.expected) << c.url;
}

TEST(GetUrlMd5, AnUpperCaseDigestNeverMatchesTheComputedOne) {
    lptest::TempFolder folder;
    lptest::WriteFileBytes(folder.File("abc"), "abc");
    const std::string upper = GetUrlMd5("http://h/f/900150983CD24FB0D6963F7D28E17F72/abc");
    ASSERT_EQ(upper.size(), kMd5TextLength);
    EXPECT_NE(GetFileMd5(folder.File("abc")), upper);
}

}  // namespace
