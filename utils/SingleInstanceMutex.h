#pragma once
#include <string>

namespace Utils {

// A named mutex across the processes of one user: an exclusive flock on a lock file in
// $XDG_RUNTIME_DIR (else a private folder of the user under the temporary folder).
// The kernel releases it when the holder ends, however it ends.
class SingleInstanceMutex {
public:
    static constexpr const wchar_t* kNamePrefix = L"D1A547DB89C0BC61_";

    explicit SingleInstanceMutex(std::wstring baseName);
    ~SingleInstanceMutex();
    SingleInstanceMutex(const SingleInstanceMutex&) = delete;
    SingleInstanceMutex& operator=(const SingleInstanceMutex&) = delete;

    // Takes the mutex unless this object holds it already. Afterwards IsHeld() tells
    // whether it was taken; false means another holder or a failure.
    void Acquire();
    bool IsHeld() const { return handle_ >= 0; }
    void Release();

    // The lock file that stands for the mutex name (prefix and base name).
    static std::string LockFilePath(const std::wstring& baseName);

private:
    std::wstring baseName_;
    int handle_ = -1;
};

}  // namespace Utils
