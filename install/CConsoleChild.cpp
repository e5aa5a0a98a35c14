#include "CConsoleChild.h"

namespace {
constexpr std::size_t kDrainBytes = 4096;
}

CConsoleChild::CConsoleChild(std::wstring threadName) : threadName_(std::move(threadName)) {}

CConsoleChild::~CConsoleChild() {
    errorDrain_.reset();
    CloseAll();
}

bool CConsoleChild::Start(const std::wstring& commandLine) {
    try {
        errorPipe_ = std::make_unique<Utils::AnonymousPipe>();
        outputPipe_ = std::make_unique<Utils::AnonymousPipe>();
        inputPipe_ = std::make_unique<Utils::AnonymousPipe>();
        process_.errorPipe = errorPipe_.get();
        process_.outputPipe = outputPipe_.get();
        process_.inputPipe = inputPipe_.get();
        process_.Start(commandLine);
    } catch (const Utils::Exception&) {
        CloseAll();
        return false;
    }
    errorDrain_ = std::make_unique<Utils::Thread>(this, threadName_, &CConsoleChild::DrainErrors);
    errorDrain_->Start();
    return true;
}

std::size_t CConsoleChild::ReadOutput(char* buffer, std::size_t size) {
    return outputPipe_->Read(buffer, size);
}

void CConsoleChild::DrainOutput() {
    char buffer[kDrainBytes];
    while (outputPipe_->Read(buffer, sizeof buffer) > 0) {
    }
}

std::uint32_t CConsoleChild::DrainErrors(void* self) {
    auto* child = static_cast<CConsoleChild*>(self);
    char buffer[kDrainBytes];
    while (child->errorPipe_->Read(buffer, sizeof buffer) > 0) {
    }
    return 0;
}

void CConsoleChild::Wait() {
    if (errorDrain_) {
        errorDrain_->Join();
    }
    process_.Wait();
}

void CConsoleChild::CloseAll() {
    process_.CloseAll();
}
