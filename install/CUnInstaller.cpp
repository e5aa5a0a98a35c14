#include "CUnInstaller.h"

#include <array>
#include <cstring>

#include "CConsoleChild.h"
#include "ConsoleProtocol.h"
#include "InstallCodes.h"

namespace {

using namespace std::string_view_literals;

enum UninstallKey { KEY_PROGRESS, KEY_ERROR, KEY_STATE, KEY_ENCODE };

constexpr std::array kUninstallKeys = {L"Progress="sv, L"Error="sv, L"State="sv, L"Encode="sv};

}  // namespace

CUnInstaller::CUnInstaller(DownloadCallback callback, std::wstring uninstallerPath, std::wstring oldFolder)
    : callback_(std::move(callback)), uninstallerPath_(std::move(uninstallerPath)), oldFolder_(std::move(oldFolder)) {}

CUnInstaller::~CUnInstaller() {
    worker_.reset();
}

void CUnInstaller::Emit(int code, double value, const wchar_t* text) const {
    callback_(code, value, text);
}

int CUnInstaller::ParseOutput(const wchar_t* text) {
    int outcome = PARSE_NO_RESULT;
    for (std::wstring_view line : ConsoleProtocol::SplitLines(text)) {
        const int key = ConsoleProtocol::MatchKey(line, kUninstallKeys.data(), kUninstallKeys.size());
        if (key < 0) {
            continue;
        }
        const std::wstring_view value = line.substr(kUninstallKeys[static_cast<std::size_t>(key)].size());
        switch (key) {
        case KEY_PROGRESS:
            Emit(UNIST_CODE_PROGRESS, ConsoleProtocol::ReadReal(value), L"");
            break;
        case KEY_ERROR:
            Emit(UNIST_CODE_ERROR, 0.0, ConsoleProtocol::ReadText(value).c_str());
            outcome = PARSE_FAILURE;
            break;
        case KEY_STATE: {
            const std::wstring word = ConsoleProtocol::ReadWord(value);
            if (word == L"Success") {
                Emit(UNIST_CODE_SUCCESS, RunValue::kFromLine, L"");
                outcome = PARSE_SUCCESS;
            } else if (word == L"Fail") {
                Emit(UNIST_CODE_ERROR, 0.0, kUninstallFailText);
                outcome = PARSE_FAILURE;
            }
            break;
        }
        case KEY_ENCODE:
            codePage_ = ConsoleProtocol::ReadWord(value) == L"UTF8" ? 65001 : 0;
            break;
        default:
            break;
        }
    }
    return outcome;
}

int CUnInstaller::ParseChunk(const char* bytes, std::size_t size) {
    const std::wstring text = Utils::ToWide(std::string_view(bytes, strnlen(bytes, size)), codePage_);
    return text.empty() ? PARSE_NO_RESULT : ParseOutput(text.c_str());
}

std::wstring CUnInstaller::BuildCommandLine() const {
    std::wstring user;
    if (!Utils::GetConsoleUserName(user)) {
        user.clear();
    }
    std::wstring line = uninstallerPath_;
    line += L" /S -adminact=";
    line += ConsoleProtocol::BoolWord(Utils::IsAdminAccount(user));
    line += L" -authorizationact=";
    line += ConsoleProtocol::BoolWord(Utils::IsCurrentUserAdmin());
    line += L" -console=show _?=";
    line += oldFolder_;
    return line;
}

void CUnInstaller::Start() {
    commandLine_ = BuildCommandLine();
    if (worker_) {
        worker_->Join();
        worker_.reset();
    }
    worker_ = std::make_unique<Utils::Thread>(this, L"UnInstaller", &CUnInstaller::RunThread);
    worker_->Start();
}

std::uint32_t CUnInstaller::RunThread(void* self) {
    static_cast<CUnInstaller*>(self)->Run();
    return 0;
}

void CUnInstaller::Run() {
    if (!Utils::FileExists(uninstallerPath_)) {
        Emit(UNIST_CODE_FAIL, RunValue::kMissingFile, kUninstallerMissingText);
        return;
    }
    Emit(UNIST_CODE_PROGRESS, 0.0, L"");
    // A command line too long for the child's buffer is refused, never cut.
    child_ = std::make_unique<CConsoleChild>(L"UnInstaller");
    if (!child_->Start(commandLine_)) {
        child_.reset();
        Emit(UNIST_CODE_FAIL, RunValue::kNotStarted, L"");
        return;
    }
    // Unlike the package run, every chunk up to the end of the output is
    // parsed, also after a result line.
    bool hadResult = false;
    char buffer[ConsoleProtocol::kChunkBytes + 1];
    for (;;) {
        std::memset(buffer, 0, sizeof buffer);
        const std::size_t got = child_->ReadOutput(buffer, ConsoleProtocol::kChunkBytes);
        if (got == 0) {
            break;
        }
        if (ParseChunk(buffer, got) != PARSE_NO_RESULT) {
            hadResult = true;
        }
    }
    child_->Wait();
    child_->CloseAll();
    child_.reset();
    if (!hadResult) {
        Emit(UNIST_CODE_SUCCESS, RunValue::kEndedWithoutResult, L"");
    }
}
