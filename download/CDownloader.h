#pragma once

#include <functional>

// The one report channel of the install flow: (code, value, text). The text
// lives only during the call; a receiver that keeps it copies it.
using DownloadCallback = std::function<void(int code, double value, const wchar_t* text)>;

enum DownloadCode : int {
    DL_CODE_START = 1001,
    DL_CODE_PROGRESS = 1002,
    DL_CODE_SUCCESS = 1003,
    DL_CODE_FAIL = 1004,
    DL_CODE_RETRY = 1005,
    DL_CODE_MD5 = 1006,
};

// A downloader fetches one file from one URL. Start() begins a run on a worker
// thread and returns at once; the run reports 1001, then 1002 any number of
// times, possibly 1006, and ends with exactly one of 1003, 1004 or 1005. After
// 1005 the owner calls Start() again, from within that report if it likes.
class CDownloader {
public:
    virtual ~CDownloader() = default;
    virtual void Start() = 0;
};
