#include "menu/MenuNumberTexts.h"
#include "menu/MenuServices.h"

namespace {

constexpr std::int32_t kLargestNumber = 999999999; // nine digits fill the ten-character buffer

// Digits counted and written from the units up, so no power of ten can overflow.
int WriteDigits(std::uint64_t value, char16_t* out)
{
    int digits = 1;
    for (std::uint64_t rest = value; rest >= 10; rest /= 10)
        ++digits;
    out[digits] = 0;
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    }
    return digits;
}

} // namespace

int FormatNumber(std::int32_t value, char16_t* out)
{
    if (value < 0)
        value = 0;
    if (value > kLargestNumber)
        value = kLargestNumber;
    return WriteDigits(static_cast<std::uint64_t>(value), out);
}

int FormatNumber64(std::uint64_t value, char16_t* out)
{
    return WriteDigits(value, out);
}

void FormatFixedWidthNumber(std::int32_t value, char16_t* out, int width)
{
    if (value < 0)
        value = 0;
    std::int64_t power = 1;
    for (int i = 1; i < width; ++i)
        power *= 10;
    for (int i = 0; i < width; ++i) {
        const int placesLeft = width - i;
        if (value < power && placesLeft > 2)
            out[i] = u' ';
        else
            out[i] = static_cast<char16_t>(u'0' + (value / power) % 10);
        power /= 10;
    }
    out[width] = 0;
}
