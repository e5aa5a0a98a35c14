#include "CConsoleChild.h"

namespace {

constexpr std::size_t kDrainBytes = 4096;

std::size_t ReadSome(Utils::AnonymousPipe& pipe, char* buffer, std::size_t size) {
    const long got = pipe.Read(buffer, size);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

}  // namespace

CConsoleChild::CConsoleChild(std::wstring threadName) : threadName_(std::move(threadName)) {}

CConsoleChild::~CConsoleChild() {
    errorDrain_.reset();
    CloseAll();
}

bool CConsoleChild::Start(const std::wstring& commandLine) {
    try {
        process_ = std::make_unique<Utils::ChildProcess>();
        process_->Start(commandLine);
    } catch (const Utils::Exception&) {
        CloseAll();
        process_.reset();
        return false;
    }
    errorDrain_ = std::make_unique<Utils::Thread>(this, threadName_, &CConsoleChild::DrainErrors);
    errorDrain_->Start();
    return true;
}

std::size_t CConsoleChild::ReadOutput(char* buffer, std::size_t size) {
    return ReadSome(process_->OutputPipe(), buffer, size);
}

void CConsoleChild::DrainOutput() {
    char buffer[kDrainBytes];
    while (ReadSome(process_->OutputPipe(), buffer, sizeof buffer) > 0) {
    }
}

std::uint32_t CConsoleChild::DrainErrors(void* self) {
    auto* child = static_cast<CConsoleChild*>(self);
    char buffer[kDrainBytes];
    while (ReadSome(child->process_->ErrorPipe(), buffer, sizeof buffer) > 0) {
    }
    return 0;
}

void CConsoleChild::Wait() {
    if (errorDrain_) {
        errorDrain_->Join();
    }
    if (process_) {
        process_->Wait();
    }
}

void CConsoleChild::CloseAll() {
    if (process_) {
        process_->CloseAll();
    }
}
