#pragma once
// Command lines as one text, split by the CommandLineToArgvW rules.
#include <string>
#include <string_view>
#include <vector>

namespace Utils {

// The program part: a leading double quote runs to the next double quote, with no
// escapes; otherwise the program runs to the first blank or tab. The arguments after it
// follow the usual rules: blanks and tabs separate outside quotes; 2n backslashes before
// a double quote give n backslashes and toggle quoting, 2n+1 give n backslashes and a
// literal quote; other backslashes are literal; inside quotes, a doubled quote gives a
// literal quote. An empty or blank text gives no arguments.
std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine);

// The arguments after the program part, split by the rules above.
std::vector<std::wstring> SplitArguments(std::wstring_view arguments);

// Quotes one argument so that SplitArguments gives it back unchanged.
std::wstring QuoteArgument(std::wstring_view argument);

}  // namespace Utils
