// The demo download server and the nginx configuration serve the package in
// the same layout: the configured path redirects to /pkg/<md5>/<file>, HEAD
// gives the length, GET honours single byte ranges. The demo server also
// prints the usage events that its collector receives.
#include <gtest/gtest.h>

#include <curl/curl.h>
#include <openssl/evp.h>

#include <csignal>
#include <cstdio>

#include "BatchSender.h"
#include "ChildRun.h"

namespace fs = std::filesystem;
using demo_test::Child;

namespace {

const fs::path kPackage = LUMAPANE_DEMO_PACKAGE;
const fs::path kServer = LUMAPANE_DEMO_SERVER;
const fs::path kNginxScript = LUMAPANE_NGINX_SCRIPT;
constexpr const char* kPath = "/software/197";

std::string Md5(const std::string& bytes) {
    unsigned char d[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    EVP_Digest(bytes.data(), bytes.size(), d, &n, EVP_md5(), nullptr);
    std::string hex;
    for (unsigned i = 0; i < n; ++i) {
        char two[3];
        std::snprintf(two, sizeof two, "%02x", d[i]);
        hex += two;
    }
    return hex;
}

struct Reply {
    long status = 0;
    std::string body;
    std::string headers;
    std::string effectiveUrl;
    curl_off_t length = -1;
};

size_t Append(char* data, size_t size, size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

// One request as the installer's downloaders make them.
Reply Fetch(const std::string& url, bool head, bool follow, const std::string& range = {}, curl_off_t resume = 0) {
    Reply r;
    CURL* h = curl_easy_init();
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_NOBODY, head ? 1L : 0L);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, follow ? 1L : 0L);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, Append);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &r.body);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, Append);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &r.headers);
    curl_easy_setopt(h, CURLOPT_TIMEOUT, 60L);
    curl_slist* extra = curl_slist_append(nullptr, "Accept-Encoding: gzip, deflate");
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, extra);
    if (!range.empty())
        curl_easy_setopt(h, CURLOPT_RANGE, range.c_str());
    if (resume > 0)
        curl_easy_setopt(h, CURLOPT_RESUME_FROM_LARGE, resume);
    if (curl_easy_perform(h) == CURLE_OK) {
        curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &r.status);
        char* eff = nullptr;
        curl_easy_getinfo(h, CURLINFO_EFFECTIVE_URL, &eff);
        r.effectiveUrl = eff ? eff : "";
        curl_easy_getinfo(h, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &r.length);
    }
    curl_slist_free_all(extra);
    curl_easy_cleanup(h);
    return r;
}

// Starts a server child and reads where it listens from its first lines.
struct RunningServer {
    std::unique_ptr<Child> child;
    std::string base;
    std::string collector;
    fs::path dir;

    ~RunningServer() {
        if (child) {
            child->Signal(SIGTERM);
            child->Finish();
        }
        if (!dir.empty())
            fs::remove_all(dir);
    }
};

void Start(RunningServer& s, bool nginx) {
    if (nginx) {
        s.dir = demo_test::MakeTempFolder("nginx");
        s.child = std::make_unique<Child>(kNginxScript, std::vector<std::string>{"run", kPackage.string(),
                                                                               "--dir=" + s.dir.string()});
    } else {
        s.child = std::make_unique<Child>(kServer, std::vector<std::string>{"--port=0", "--package=" + kPackage.string()});
    }
    ASSERT_TRUE(s.child->started());
    const std::string listening = "listening http://127.0.0.1:", collector = "collector ";
    while (auto line = s.child->ReadLine()) {
        if (line->rfind(listening, 0) == 0 && line->size() > listening.size() &&
            line->find_first_not_of("0123456789", listening.size()) == std::string::npos)
            s.base = line->substr(listening.size() - std::string("http://127.0.0.1:").size());
        if (line->rfind(collector, 0) == 0)
            s.collector = line->substr(collector.size());
        if (line->rfind("package ", 0) == 0)
            break;
    }
    ASSERT_FALSE(s.base.empty()) << "the server did not say where it listens";
}

void ExpectDownloadLayout(bool nginx) {
    RunningServer server;
    ASSERT_NO_FATAL_FAILURE(Start(server, nginx));
    const std::string bytes = demo_test::ReadFile(kPackage);
    const std::string md5 = Md5(bytes);
    const std::string real = server.base + "/pkg/" + md5 + "/__Package_Lumapane.exe";
    const auto size = static_cast<curl_off_t>(bytes.size());

    Reply redirect = Fetch(server.base + kPath, true, false);
    EXPECT_EQ(redirect.status, 302);
    EXPECT_NE(redirect.headers.find("/pkg/" + md5 + "/__Package_Lumapane.exe"), std::string::npos)
        << redirect.headers;

    // The installer's probe: HEAD, following redirects; the digest is the
    // second-to-last segment of the URL it ends at.
    Reply probe = Fetch(server.base + kPath, true, true);
    EXPECT_EQ(probe.status, 200);
    EXPECT_EQ(probe.effectiveUrl, real);
    EXPECT_EQ(probe.length, size);

    Reply whole = Fetch(real, false, true);
    EXPECT_EQ(whole.status, 200);
    EXPECT_TRUE(whole.body == bytes) << "the whole file differs (" << whole.body.size() << " bytes)";

    struct Case {
        const char* what;
        std::string range;
        curl_off_t resume;
        long status;
        curl_off_t first, count;  // expected slice of the file; count < 0: no check of the body
    } cases[] = {
        {"the first part of two", "0-" + std::to_string(size / 2 - 1), 0, 206, 0, size / 2},
        {"the second part, open-ended", std::to_string(size / 2) + "-", 0, 206, size / 2, size - size / 2},
        {"a resumed transfer", "", 12345, 206, 12345, size - 12345},
        {"the last single byte", std::to_string(size - 1) + "-" + std::to_string(size - 1), 0, 206, size - 1, 1},
        {"a range past the end is cut", std::to_string(size - 10) + "-" + std::to_string(size + 100), 0, 206,
         size - 10, 10},
        {"the last ten bytes", "-10", 0, 206, size - 10, 10},
        {"a range starting at the end", std::to_string(size) + "-", 0, 416, 0, -1},
        {"several ranges get the whole file", "0-9,20-29", 0, 200, 0, size},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Reply r = Fetch(real, false, true, c.range, c.resume);
        EXPECT_EQ(r.status, c.status);
        if (c.count >= 0) {
            EXPECT_TRUE(r.body == bytes.substr(static_cast<size_t>(c.first), static_cast<size_t>(c.count)))
                << "got " << r.body.size() << " bytes";
        }
        if (c.status == 206) {
            std::string expected = "Content-Range: bytes " + std::to_string(c.first) + "-" +
                                   std::to_string(c.first + c.count - 1) + "/" + std::to_string(size);
            EXPECT_NE(r.headers.find(expected), std::string::npos) << r.headers;
        }
    }

    Reply stale = Fetch(server.base + "/pkg/" + std::string(32, '0') + "/__Package_Lumapane.exe", true, true);
    EXPECT_EQ(stale.status, 404);
}

TEST(DemoServer, ServesThePackageInTheInstallersLayout) { ExpectDownloadLayout(false); }

TEST(NginxDemo, ServesThePackageInTheSameLayout) { ExpectDownloadLayout(true); }

TEST(DemoServer, PrintsTheUsageEventsItsCollectorReceives) {
    RunningServer server;
    ASSERT_NO_FATAL_FAILURE(Start(server, false));
    ASSERT_EQ(server.collector, server.base + "/collect?project=pc");
    usage_analytics::BatchSender sender(server.collector);
    const std::string batch =
        R"([{"distinct_id":"d","event":"OvEventResult","lib":{"$lib":"cpp"},"properties":{"$lib":"cpp",)"
        R"("ov_name":"安装成功","ovc_ab":"IN","ov_value":0.0},"time":1,"type":"track"},)"
        R"({"distinct_id":"d","event":"OvEventClick","lib":{"$lib":"cpp"},"properties":{"ov_name":"立即安装",)"
        R"("ovc_ab":"IN"},"time":2,"type":"track"}])";
    ASSERT_TRUE(sender.Send(batch, {}));
    std::vector<std::string> events;
    while (events.size() < 2) {
        auto line = server.child->ReadLine();
        ASSERT_TRUE(line) << "the server printed no event line";
        if (line->rfind("event ", 0) == 0)
            events.push_back(*line);
    }
    EXPECT_EQ(events[0], "event OvEventResult ov_name=安装成功 ov_value=0.0 ovc_ab=IN");
    EXPECT_EQ(events[1], "event OvEventClick ov_name=立即安装 ovc_ab=IN");
}

}  // namespace
