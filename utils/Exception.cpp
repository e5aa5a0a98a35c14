#include "utils/Exception.h"

#include "utils/TextConvert.h"

namespace Utils {

Exception::Exception(std::wstring message)
    : message_(std::move(message)), narrow_(ToNarrow(message_, kCodePageAnsi))
{
}

const char* Exception::what() const noexcept
{
    return narrow_.c_str();
}

}  // namespace Utils
