#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The installer's command line as an ordered map: "-key=value" gives the key (with its
// "-") and the text after the first "="; any other argument, the program path included,
// is a key with an empty value. Keys compare exactly; the first of a key wins.
class CommandLineArgs {
public:
    explicit CommandLineArgs(const std::vector<std::wstring>& arguments);
    // A command line as one text, split by the CommandLineToArgvW rules.
    static CommandLineArgs FromCommandLine(std::wstring_view commandLine);
    // The arguments of the running process.
    static CommandLineArgs FromProcess();

    bool Contains(std::wstring_view key) const;
    // The value; empty when the key is absent.
    std::wstring GetString(std::wstring_view key) const;
    // Decimal value (leading blanks and a sign accepted, trailing text ignored, clamped
    // to 32 bits); 0 when it does not start with a number or the key is absent.
    std::int32_t GetInt(std::wstring_view key) const;
    // Decimal floating-point value (as the INI "DownloadScale"); the fallback when it does
    // not start with a number or the key is absent.
    double GetDouble(std::wstring_view key, double fallback) const;
    // True exactly when the value is "true".
    bool GetBool(std::wstring_view key) const;

    const std::map<std::wstring, std::wstring, std::less<>>& Values() const { return values_; }

private:
    std::map<std::wstring, std::wstring, std::less<>> values_;
};
