#include "core/numberreading.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The longest prefix of the (blank-free) text that fits the pattern
// [sign] digits [. digits] [E [sign] digits].
struct NumberPrefix
{
    std::size_t length = 0;       // characters that belong to the number
    bool hasDigits = false;       // at least one mantissa digit
    long long magnitude = 0;      // rough decimal exponent, to tell overflow from underflow
};

NumberPrefix scanNumber(const std::string &text)
{
    NumberPrefix result;
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;

    bool seenPoint = false;
    bool leadingZeros = true;
    long long integerDigits = 0;
    long long fractionZeros = 0;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else if (isDigit(c)) {
            result.hasDigits = true;
            if (c != '0')
                leadingZeros = false;
            if (!seenPoint && !leadingZeros)
                ++integerDigits;
            else if (seenPoint && leadingZeros)
                ++fractionZeros;
        } else {
            break;
        }
    }
    if (!result.hasDigits)
        return result;
    result.length = i;
    result.magnitude = integerDigits > 0 ? integerDigits : -fractionZeros;

    // An exponent counts only with at least one digit after E and its sign.
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        bool negative = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            negative = text[j] == '-';
            ++j;
        }
        if (j < n && isDigit(text[j])) {
            long long exponent = 0;
            for (; j < n && isDigit(text[j]); ++j) {
                if (exponent < 1'000'000'000)
                    exponent = exponent * 10 + (text[j] - '0');
            }
            result.length = j;
            result.magnitude += negative ? -exponent : exponent;
        }
    }
    return result;
}

std::string withoutBlanks(std::string_view text)
{
    const std::string ascii = asciiForms(text);
    std::string compact;
    compact.reserve(ascii.size());
    for (char c : ascii) {
        if (!isBlank(c))
            compact.push_back(c);
    }
    return compact;
}

// A character written otherwise than in ASCII, as its UTF-8 bytes, and the
// ASCII character it reads as.
struct OtherForm
{
    std::string_view utf8;
    char ascii;
};

// The full-width forms U+FF01 … U+FF5E are their ASCII counterparts
// shifted by 0xFEE0; only those the reading rule uses are listed.
constexpr OtherForm kOtherForms[] = {
    {"\xEF\xBC\x90", '0'}, {"\xEF\xBC\x91", '1'}, {"\xEF\xBC\x92", '2'}, {"\xEF\xBC\x93", '3'},
    {"\xEF\xBC\x94", '4'}, {"\xEF\xBC\x95", '5'}, {"\xEF\xBC\x96", '6'}, {"\xEF\xBC\x97", '7'},
    {"\xEF\xBC\x98", '8'}, {"\xEF\xBC\x99", '9'},
    {"\xEF\xBC\x8B", '+'},  // ＋
    {"\xEF\xBC\x8D", '-'},  // －
    {"\xEF\xBC\x8E", '.'},  // ．
    {"\xEF\xBC\xA5", 'E'},  // Ｅ
    {"\xEF\xBD\x85", 'e'},  // ｅ
    {"\xE2\x88\x92", '-'},  // U+2212 minus sign
    {"\xEF\xB9\xA3", '-'},  // U+FE63 small hyphen-minus
    {"\xE3\x80\x82", '.'},  // U+3002 ideographic full stop
    {"\xE3\x80\x80", ' '},  // U+3000 ideographic space
    {"\xC2\xA0", ' '},       // U+00A0 no-break space
};

}  // namespace

std::string asciiForms(std::string_view text)
{
    std::string ascii;
    ascii.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const OtherForm *found = nullptr;
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            for (const OtherForm &form : kOtherForms) {
                if (text.substr(i, form.utf8.size()) == form.utf8) {
                    found = &form;
                    break;
                }
            }
        }
        if (found) {
            ascii.push_back(found->ascii);
            i += found->utf8.size();
        } else {
            ascii.push_back(text[i]);
            ++i;
        }
    }
    return ascii;
}

double readNumber(std::string_view text)
{
    const std::string compact = withoutBlanks(text);
    const NumberPrefix prefix = scanNumber(compact);
    if (!prefix.hasDigits)
        return 0;

    const bool negative = compact[0] == '-';
    std::size_t begin = (compact[0] == '+' || compact[0] == '-') ? 1 : 0;
    double value = 0;
#ifdef __cpp_lib_to_chars
    // from_chars takes no leading plus and is independent of the locale.
    const auto [end, error] = std::from_chars(compact.data() + begin, compact.data() + prefix.length, value,
                                              std::chars_format::general);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: an infinity or a zero.
        value = prefix.magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        value = 0;
    }
#else
    // A standard library without floating-point from_chars (the browser
    // build's): strtod reads the same digits, correctly rounded. There the
    // locale is always "C", so the full stop is the decimal point; beyond the
    // range of a double it gives an infinity, below it a zero or a subnormal,
    // as from_chars does.
    const std::string digits(compact, begin, prefix.length - begin);
    value = std::strtod(digits.c_str(), nullptr);
#endif
    if (value == 0)
        return 0;  // no negative zero: "-0" reads as plain 0
    return negative ? -value : value;
}

bool readsInFull(std::string_view text)
{
    const std::string compact = withoutBlanks(text);
    const NumberPrefix prefix = scanNumber(compact);
    return prefix.hasDigits && prefix.length == compact.size();
}
