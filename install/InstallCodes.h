#pragma once

// Event codes of the package run, of the facts a package reports, and of the
// old-version uninstall. They travel as the code of a DownloadCallback event.
enum InstallEventCode : int {
    IST_CODE_START = 2001,
    IST_CODE_PROGRESS = 2002,
    IST_CODE_SUCCESS = 2003,
    IST_CODE_FAIL = 2004,

    IST_INFO_INSTPATH = 3000,
    IST_INFO_EXEPATH = 3001,
    IST_INFO_UNINSTEXE = 3002,
    IST_INFO_UNINSTEP = 3003,
    IST_INFO_STARTURL = 3004,
    IST_INFO_STARTUPSTYLE = 3005,
    IST_INFO_TOPSHOW = 3007,
    IST_INFO_FINISHCLOSE = 3008,
    IST_INFO_MESSAGE = 3009,
};

enum UninstallEventCode : int {
    UNIST_CODE_PROGRESS = 5002,
    UNIST_CODE_SUCCESS = 5003,
    UNIST_CODE_FAIL = 5004,
    UNIST_CODE_ERROR = 5005,
};

// Value of the StartupStyle fact.
enum StartupStyle : int {
    NonStartup = 0,
    AutoStartup = 1,
    UserStartup = 2,
};

// What a chunk of console output tells its reader.
enum ParseOutcome : int {
    PARSE_NO_RESULT = 0,
    PARSE_SUCCESS = 1,
    PARSE_FAILURE = 1000,
};

// Values that tell why a run failed or how it ended.
namespace RunValue {
inline constexpr double kFromLine = 0.0;          // the result came from a State= line
inline constexpr double kEndedWithoutResult = 1.0; // the child ended without a result line
inline constexpr double kMissingFile = 1.0;        // uninstaller copy does not exist
inline constexpr double kNotStarted = 2.0;         // the child could not be started
inline constexpr double kErrorLine = 1000.0;       // the package wrote an Error= line
}

// Texts of failure events.
inline constexpr const wchar_t* kPackageFailText = L"安装包安装失败";
inline constexpr const wchar_t* kUninstallFailText = L"安装包卸载失败";
inline constexpr const wchar_t* kUninstallerMissingText = L"可执行卸载文件不存在";
