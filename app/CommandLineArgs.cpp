#include "app/CommandLineArgs.h"

#include "utils/CommandLine.h"
#include "utils/KnownFolders.h"
#include "utils/TextUtils.h"

CommandLineArgs::CommandLineArgs(const std::vector<std::wstring>& arguments)
{
    for (const std::wstring& argument : arguments) {
        const std::size_t eq = argument.find(L'=');
        if (argument.starts_with(L'-') && eq != std::wstring::npos)
            values_.emplace(argument.substr(0, eq), argument.substr(eq + 1));  // emplace keeps the first
        else
            values_.emplace(argument, std::wstring());
    }
}

CommandLineArgs CommandLineArgs::FromCommandLine(std::wstring_view commandLine)
{
    return CommandLineArgs(Utils::SplitCommandLine(commandLine));
}

CommandLineArgs CommandLineArgs::FromProcess()
{
    return CommandLineArgs(Utils::GetProcessArguments());
}

bool CommandLineArgs::Contains(std::wstring_view key) const
{
    return values_.find(key) != values_.end();
}

std::wstring CommandLineArgs::GetString(std::wstring_view key) const
{
    const auto it = values_.find(key);
    return it == values_.end() ? std::wstring() : it->second;
}

std::int32_t CommandLineArgs::GetInt(std::wstring_view key) const
{
    return Utils::ParseLeadingInt32(GetString(key)).value_or(0);
}

double CommandLineArgs::GetDouble(std::wstring_view key, double fallback) const
{
    return Utils::ParseLeadingDouble(GetString(key)).value_or(fallback);
}

bool CommandLineArgs::GetBool(std::wstring_view key) const
{
    return GetString(key) == L"true";
}
