#include "utils/TextConvert.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <vector>

namespace Utils {
namespace {

constexpr const char* kWideCharset = "WCHAR_T";

struct CodePageName {
    int codePage;
    const char* charset;
};

constexpr CodePageName kCodePageNames[] = {
    {65001, "UTF-8"},      {65000, "UTF-7"},       {1200, "UTF-16LE"},     {1201, "UTF-16BE"},
    {12000, "UTF-32LE"},   {12001, "UTF-32BE"},    {936, "CP936"},         {54936, "GB18030"},
    {20936, "GB2312"},     {950, "BIG5"},          {932, "CP932"},         {949, "CP949"},
    {20127, "ASCII"},      {28591, "ISO-8859-1"},  {28592, "ISO-8859-2"},  {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"}, {28595, "ISO-8859-5"},  {28596, "ISO-8859-6"},  {28597, "ISO-8859-7"},
    {28598, "ISO-8859-8"}, {28599, "ISO-8859-9"},  {28605, "ISO-8859-15"}, {20866, "KOI8-R"},
    {21866, "KOI8-U"},     {51932, "EUC-JP"},      {51949, "EUC-KR"},      {50220, "ISO-2022-JP"},
    {10000, "MACINTOSH"},
};

// The locale's charset without touching the process-wide locale; a C/POSIX locale is
// taken as UTF-8, the charset every Debian system uses for file names.
std::string LocaleCharset()
{
    static const std::string charset = [] {
        std::string name = "UTF-8";
        if (locale_t loc = newlocale(LC_CTYPE_MASK, "", locale_t{})) {
            const char* codeset = nl_langinfo_l(CODESET, loc);
            if (codeset && *codeset && std::string_view(codeset) != "ANSI_X3.4-1968")
                name = codeset;
            freelocale(loc);
        }
        return name;
    }();
    return charset;
}

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Whole-input conversion; false on invalid or incomplete input.
    bool Run(const char* in, std::size_t inBytes, std::vector<char>& out)
    {
        out.resize(inBytes * 4 + 16);
        char* src = const_cast<char*>(in);
        std::size_t left = inBytes;
        std::size_t used = 0;
        bool flushing = false;  // after the input, the shift state is written out once
        for (;;) {
            char* dst = out.data() + used;
            std::size_t room = out.size() - used;
            const std::size_t r = flushing ? iconv(cd_, nullptr, nullptr, &dst, &room)
                                           : iconv(cd_, &src, &left, &dst, &room);
            used = out.size() - room;
            if (r == static_cast<std::size_t>(-1)) {
                if (errno != E2BIG)
                    return false;
                out.resize(out.size() * 2);
                continue;
            }
            if (!flushing) {
                flushing = true;
                continue;
            }
            out.resize(used);
            return true;
        }
    }

private:
    iconv_t cd_;
};

}  // namespace

std::string CharsetOfCodePage(int codePage)
{
    if (codePage == kCodePageAnsi)
        return LocaleCharset();
    for (const auto& entry : kCodePageNames) {
        if (entry.codePage == codePage)
            return entry.charset;
    }
    if (codePage > 0 && codePage < 100000)
        return "CP" + std::to_string(codePage);  // iconv knows many Windows pages by this name
    return {};
}

std::wstring ToWide(std::string_view bytes, int codePage)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    const std::string charset = CharsetOfCodePage(codePage);
    if (bytes.empty() || charset.empty())
        return {};
    Converter converter(kWideCharset, charset.c_str());
    std::vector<char> out;
    if (!converter.ok() || !converter.Run(bytes.data(), bytes.size(), out))
        return {};
    std::wstring text(reinterpret_cast<const wchar_t*>(out.data()), out.size() / sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

std::string ToNarrow(std::wstring_view text, int codePage)
{
    text = text.substr(0, text.find(L'\0'));
    const std::string charset = CharsetOfCodePage(codePage);
    if (text.empty() || charset.empty())
        return {};
    Converter converter(charset.c_str(), kWideCharset);
    std::vector<char> out;
    if (!converter.ok() ||
        !converter.Run(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t), out))
        return {};
    std::string bytes(out.data(), out.size());
    return bytes.substr(0, bytes.find('\0'));
}

std::string ToSystemPath(std::wstring_view path)
{
    return ToNarrow(path, kCodePageUtf8);
}

std::wstring FromSystemPath(std::string_view path)
{
    return ToWide(path, kCodePageUtf8);
}

std::size_t Utf16Length(std::wstring_view text)
{
    std::size_t units = 0;
    for (wchar_t c : text)
        units += static_cast<std::uint32_t>(c) > 0xFFFF ? 2 : 1;
    return units;
}

std::wstring_view CutToUtf16Units(std::wstring_view text, std::size_t units)
{
    std::size_t used = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t width = static_cast<std::uint32_t>(text[i]) > 0xFFFF ? 2 : 1;
        if (used + width > units)
            return text.substr(0, i);
        used += width;
    }
    return text;
}

}  // namespace Utils
