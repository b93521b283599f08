#include "core/caption.h"

#include "core/numberreading.h"
#include "core/numbertext.h"
#include "core/translatable.h"

#include <cmath>

std::string shortestText(double value)
{
    if (value == 0)
        return "0";
    if (!std::isfinite(value))
        return value > 0 ? "inf" : "-inf";
    std::string out;
    int digits = 1;
    for (; digits <= 17; ++digits) {
        out = numberText(value, digits);
        if (readNumber(out) == value)
            break;
    }
    // Whole numbers of up to 16 digits are written out: 10, not 1e1.
    const int exponent = int(std::floor(std::log10(std::fabs(value))));
    if (exponent >= digits && exponent < 16)
        out = numberText(value, exponent + 1);
    // "1e+20" reads better as "1e20", "1e-07" as "1e-7".
    const std::size_t e = out.find('e');
    if (e != std::string::npos) {
        std::size_t digits = e + 1;
        std::string sign;
        if (out[digits] == '+' || out[digits] == '-') {
            if (out[digits] == '-')
                sign = "-";
            ++digits;
        }
        while (digits + 1 < out.size() && out[digits] == '0')
            ++digits;
        out = out.substr(0, e + 1) + sign + out.substr(digits);
    }
    return out;
}

namespace {

const char *const kChargeText = FIELDLINES_TEXT("Caption", "Q%1 (%2, %3)，%4 C");
const char *const kSingleText = FIELDLINES_TEXT("Caption", "单个点电荷：%1");
const char *const kTwoText = FIELDLINES_TEXT("Caption", "两个点电荷：%1；%2");
const char *const kSeveralText = FIELDLINES_TEXT("Caption", "多个点电荷：%1");
const char *const kSeparator = FIELDLINES_TEXT("Caption", "；");

}  // namespace

std::string pictureCaption(const Configuration &configuration, Translator translate)
{
    const std::size_t n = configuration.chargesInMode();
    if (configuration.charges.size() < n)
        return {};
    std::vector<std::string> described;
    for (std::size_t i = 0; i < n; ++i) {
        const ChargeTexts &c = configuration.charges[i];
        described.push_back(withArguments(translate("Caption", kChargeText),
                                   {std::to_string(i + 1), shortestText(readNumber(c.x)),
                                    shortestText(readNumber(c.y)), shortestText(readNumber(c.q))}));
    }
    if (configuration.mode == Mode::Several) {
        std::string all;
        for (const std::string &charge : described)
            all += (all.empty() ? "" : translate("Caption", kSeparator)) + charge;
        return withArguments(translate("Caption", kSeveralText), {all});
    }
    if (n == 1)
        return withArguments(translate("Caption", kSingleText), described);
    return withArguments(translate("Caption", kTwoText), described);
}
