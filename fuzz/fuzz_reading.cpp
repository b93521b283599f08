// The reading rule of the input boxes against a second, deliberately plain
// reading written from the rule itself:
//   0. the full-width digits, signs, full stop and E/e read as their ASCII
//      forms, U+2212 and U+FE63 as '-', U+3002 as '.', U+3000 and U+00A0 as
//      a blank;
//   1. blanks, tabs and line feeds anywhere in the text are ignored;
//   2. the rest is read from the left as an optional sign, digits with at
//      most one full stop, and optionally E or e with an optional sign and
//      digits;
//   3. reading stops at the first character that does not fit; the number
//      read so far is the value, 0 when no digit was read.
// The plain reading collects the characters that fit and hands them to the
// C library's strtod (this program never changes the C locale, so its
// decimal point is the full stop).

#include "core/numberreading.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

struct PlainReading
{
    double value = 0;
    bool whole = false;  // the text, blanks aside, is all number
};

bool digit(char c)
{
    return c >= '0' && c <= '9';
}

bool continuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// The ASCII character a code point reads as, or 0 when it reads as itself.
char asciiOf(std::uint32_t code)
{
    if (code >= 0xFF10 && code <= 0xFF19)
        return char('0' + (code - 0xFF10));
    switch (code) {
    case 0xFF0B: return '+';
    case 0xFF0D: case 0x2212: case 0xFE63: return '-';
    case 0xFF0E: case 0x3002: return '.';
    case 0xFF25: return 'E';
    case 0xFF45: return 'e';
    case 0x3000: case 0x00A0: return ' ';
    default: return 0;
    }
}

// Step 0: decodes the two- and three-byte UTF-8 sequences and replaces the
// characters of other forms; any other byte stays as it is.
std::string inAscii(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        std::uint32_t code = b0;
        if (b0 >= 0xC2 && b0 <= 0xDF && i + 1 < text.size() && continuation(text[i + 1])) {
            length = 2;
            code = (b0 & 0x1Fu) << 6 | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
        } else if (b0 >= 0xE0 && b0 <= 0xEF && i + 2 < text.size() && continuation(text[i + 1])
                   && continuation(text[i + 2])) {
            length = 3;
            code = (b0 & 0x0Fu) << 12 | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6
                 | (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
        }
        const char ascii = length > 1 ? asciiOf(code) : 0;
        if (ascii)
            out += ascii;
        else
            out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

PlainReading readPlainly(std::string_view text)
{
    std::string rest;
    for (char c : inAscii(text)) {
        if (c != ' ' && c != '\t' && c != '\n')
            rest += c;
    }

    std::string number;
    std::size_t i = 0;
    if (i < rest.size() && (rest[i] == '+' || rest[i] == '-'))
        number += rest[i++];
    bool point = false;
    bool digits = false;
    for (; i < rest.size(); ++i) {
        if (digit(rest[i])) {
            digits = true;
        } else if (rest[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
        number += rest[i];
    }
    // An exponent letter belongs to the number only when digits follow it
    // (after its sign): "1e" and "1e+" stop before the E.
    if (digits && i < rest.size() && (rest[i] == 'E' || rest[i] == 'e')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < rest.size() && (rest[j] == '+' || rest[j] == '-'))
            exponent += rest[j++];
        if (j < rest.size() && digit(rest[j])) {
            while (j < rest.size() && digit(rest[j]))
                exponent += rest[j++];
            number += exponent;
            i = j;
        }
    }

    PlainReading reading;
    if (!digits)
        return reading;
    reading.value = std::strtod(number.c_str(), nullptr);
    reading.whole = i == rest.size();
    return reading;
}

[[noreturn]] void fail(const char *what, std::string_view text, double expected, double got)
{
    std::fprintf(stderr, "%s for \"%.*s\": expected %.17g, got %.17g\n", what, int(text.size()), text.data(),
                 expected, got);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const PlainReading plain = readPlainly(text);
    const double value = readNumber(text);

    // Exactly the nearest double; a negative zero reads as plain 0.
    if (!(value == plain.value) && !(std::isnan(value) && std::isnan(plain.value)))
        fail("value", text, plain.value, value);
    if (value == 0 && std::signbit(value))
        fail("negative zero", text, plain.value, value);
    if (readsInFull(text) != plain.whole)
        fail("read in full", text, plain.whole, readsInFull(text));
    return 0;
}
