#include "CPackageRunner.h"

#include <array>
#include <chrono>
#include <cstring>
#include <thread>

#include "CConsoleChild.h"
#include "ConsoleProtocol.h"
#include "InstallCodes.h"
#include "InstallDeps.h"

namespace {

using namespace std::string_view_literals;

enum PackageKey {
    KEY_PROGRESS,
    KEY_INSTPATH,
    KEY_STATE,
    KEY_INSTALLVERSION,
    KEY_EXEPATH,
    KEY_STARTEXE,
    KEY_UNINSTEXEPATH,
    KEY_UNINSTEXE,
    KEY_UNINSTEP,
    KEY_ERROR,
    KEY_TOPSHOW,
    KEY_FINISHCLOSE,
    KEY_STARTURL,
    KEY_STARTUPSTYLE,
    KEY_ENCODE,
    KEY_MESSAGE,
};

// In the order of testing; the index is the PackageKey.
constexpr std::array kPackageKeys = {
    L"Progress="sv,      L"InstPath="sv,         L"State="sv,     L"InstallVersion="sv,
    L"ExePath="sv,       L"StartExe="sv,         L"UninstExePath="sv, L"UninstExe="sv,
    L"UninstEp="sv,      L"Error="sv,            L"TopShowDetention="sv, L"FinsihCloseDetention="sv,
    L"StartUrl="sv,      L"StartupStyle="sv,     L"Encode="sv,    L"Message="sv,
};

// A pause after each read lets a chatty package's lines gather into whole
// chunks instead of arriving one by one.
constexpr auto kReadPause = std::chrono::milliseconds(100);

int TextEventCode(int key) {
    switch (key) {
    case KEY_INSTPATH: return IST_INFO_INSTPATH;
    case KEY_EXEPATH:
    case KEY_STARTEXE: return IST_INFO_EXEPATH;
    case KEY_UNINSTEXEPATH:
    case KEY_UNINSTEXE: return IST_INFO_UNINSTEXE;
    case KEY_UNINSTEP: return IST_INFO_UNINSTEP;
    case KEY_STARTURL: return IST_INFO_STARTURL;
    case KEY_MESSAGE: return IST_INFO_MESSAGE;
    default: return 0;
    }
}

double StartupStyleOf(const std::wstring& word) {
    if (word == L"AutoStartup") {
        return AutoStartup;
    }
    if (word == L"UserStartup") {
        return UserStartup;
    }
    return NonStartup;
}

std::int32_t PackageCodePage(const std::wstring& word) {
    if (word == L"UTF8") {
        return 65001;
    }
    if (word == L"ACP") {
        return 0;
    }
    std::int32_t number = 0;
    return ConsoleProtocol::ReadCodePageNumber(word, number) ? number : 0;
}

std::wstring Unquoted(const std::wstring& path) {
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') {
        return path.substr(1, path.size() - 2);
    }
    return path;
}

}  // namespace

CPackageRunner::CPackageRunner(DownloadCallback callback, std::wstring packagePath, std::wstring installFolder)
    : callback_(std::move(callback)), packagePath_(std::move(packagePath)), installFolder_(std::move(installFolder)) {}

CPackageRunner::~CPackageRunner() {
    // The thread object waits for the run, which still uses the fields.
    worker_.reset();
}

void CPackageRunner::Emit(int code, double value, const wchar_t* text) const {
    callback_(code, value, text);
}

int CPackageRunner::ParseOutput(const wchar_t* text) {
    int outcome = PARSE_NO_RESULT;
    for (std::wstring_view line : ConsoleProtocol::SplitLines(text)) {
        const int key = ConsoleProtocol::MatchKey(line, kPackageKeys.data(), kPackageKeys.size());
        if (key < 0) {
            continue;
        }
        const std::wstring_view value = line.substr(kPackageKeys[static_cast<std::size_t>(key)].size());
        switch (key) {
        case KEY_PROGRESS:
            Emit(IST_CODE_PROGRESS, ConsoleProtocol::ReadReal(value), L"");
            break;
        case KEY_STATE: {
            const std::wstring word = ConsoleProtocol::ReadWord(value);
            if (word == L"Success") {
                Emit(IST_CODE_SUCCESS, RunValue::kFromLine, L"");
                outcome = PARSE_SUCCESS;
            } else if (word == L"Fail") {
                Emit(IST_CODE_FAIL, RunValue::kFromLine, kPackageFailText);
                outcome = PARSE_FAILURE;
            }
            break;
        }
        case KEY_INSTALLVERSION:
            break;
        case KEY_ERROR:
            Emit(IST_CODE_FAIL, RunValue::kErrorLine, ConsoleProtocol::ReadText(value).c_str());
            outcome = PARSE_FAILURE;
            break;
        case KEY_TOPSHOW:
        case KEY_FINISHCLOSE: {
            const auto bits = static_cast<std::uint32_t>(ConsoleProtocol::ReadInteger(value));
            Emit(key == KEY_TOPSHOW ? IST_INFO_TOPSHOW : IST_INFO_FINISHCLOSE, static_cast<double>(bits), L"");
            break;
        }
        case KEY_STARTUPSTYLE:
            Emit(IST_INFO_STARTUPSTYLE, StartupStyleOf(ConsoleProtocol::ReadWord(value)), L"");
            break;
        case KEY_ENCODE:
            codePage_ = PackageCodePage(ConsoleProtocol::ReadWord(value));
            break;
        default:
            Emit(TextEventCode(key), 0.0, ConsoleProtocol::ReadText(value).c_str());
            break;
        }
    }
    return outcome;
}

int CPackageRunner::ParseChunk(const char* bytes, std::size_t size) {
    const std::wstring text = Utils::ToWide(std::string_view(bytes, strnlen(bytes, size)), codePage_);
    return text.empty() ? PARSE_NO_RESULT : ParseOutput(text.c_str());
}

std::wstring CPackageRunner::BuildCommandLine() const {
    std::wstring line = packagePath_;
    line += L" /S -console=show -version=1.0.0";
    line += L" -adminact=";
    line += ConsoleProtocol::BoolWord(adminAct_);
    line += L" -authorizationact=";
    line += ConsoleProtocol::BoolWord(authorizationAct_);
    line += L" -dsc=";
    line += ConsoleProtocol::BoolWord(desktopShortcut_);
    line += L" -ssc=";
    line += ConsoleProtocol::BoolWord(quickLaunch_);
    const std::wstring& extra = InstallerConfig::Instance().InstCmd;
    if (!extra.empty()) {
        line += L" ";
        line += extra;
    }
    if (!installFolder_.empty()) {
        line += L" -instdir=\"";
        line += installFolder_;
        line += L"\" /D=";
        line += installFolder_;
    }
    return line;
}

void CPackageRunner::Start() {
    commandLine_ = BuildCommandLine();
    if (worker_) {
        worker_->Join();
        worker_.reset();
    }
    worker_ = std::make_unique<Utils::Thread>(this, L"ABDEF", &CPackageRunner::RunThread);
    worker_->Start();
}

std::uint32_t CPackageRunner::RunThread(void* self) {
    static_cast<CPackageRunner*>(self)->Run();
    return 0;
}

void CPackageRunner::Run() {
    Emit(IST_CODE_START, 0.0, L"");
    Emit(IST_CODE_PROGRESS, 0.0, L"");
    // A command line too long for the child's buffer is refused, never cut.
    // A downloaded file comes without the execute bit.
    Utils::MakeExecutable(Unquoted(packagePath_));
    child_ = std::make_unique<CConsoleChild>(L"ABDEF");
    if (!child_->Start(commandLine_)) {
        child_.reset();
        Emit(IST_CODE_FAIL, RunValue::kNotStarted, L"");
        return;
    }
    int outcome = PARSE_NO_RESULT;
    char buffer[ConsoleProtocol::kChunkBytes + 1];
    while (outcome == PARSE_NO_RESULT) {
        std::memset(buffer, 0, sizeof buffer);
        const std::size_t got = child_->ReadOutput(buffer, ConsoleProtocol::kChunkBytes);
        if (got == 0) {
            break;  // end of output: the child and its heirs are done writing
        }
        outcome = ParseChunk(buffer, got);
        if (outcome == PARSE_NO_RESULT) {
            std::this_thread::sleep_for(kReadPause);
        }
    }
    // Keep both pipes flowing so that a package which writes on after its
    // result, or floods its error output, can still end.
    child_->DrainOutput();
    child_->Wait();
    child_->CloseAll();
    child_.reset();
    if (outcome == PARSE_NO_RESULT) {
        Emit(IST_CODE_SUCCESS, RunValue::kEndedWithoutResult, L"");
    }
}
