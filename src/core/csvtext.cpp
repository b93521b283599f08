#include "core/csvtext.h"

#include <charconv>
#include <cstdio>

namespace {

// %.9g of the float, independent of the C locale that a Qt application sets
// from the environment (a German locale would otherwise write a comma).
void appendNumber(std::string &out, float value)
{
    char buffer[32];
#ifdef __cpp_lib_to_chars
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 9);
    out.append(buffer, result.ptr);
#else
    // A standard library without floating-point to_chars (the browser
    // build's), whose locale is always "C": to_chars with a precision is
    // defined as this very printf conversion.
    const int length = std::snprintf(buffer, sizeof buffer, "%.9g", double(value));
    out.append(buffer, std::size_t(length));
#endif
}

void appendColour(std::string &out, std::uint32_t bgr)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", unsigned(bgr & 0xFF), unsigned((bgr >> 8) & 0xFF),
                  unsigned((bgr >> 16) & 0xFF));
    out += buffer;
}

}  // namespace

const char *const kCsvHeader = "op,x1,y1,x2,y2,colour,width\n";

void appendCsvRow(std::string &out, const RecordingSurface::Operation &operation)
{
    if (operation.op == RecordingSurface::Op::Line) {
        out += "line,";
        appendNumber(out, operation.x1);
        out += ',';
        appendNumber(out, operation.y1);
        out += ',';
        appendNumber(out, operation.x2);
        out += ',';
        appendNumber(out, operation.y2);
        out += ',';
    } else if (operation.op == RecordingSurface::Op::PSet) {
        out += "pset,";
        appendNumber(out, operation.x1);
        out += ',';
        appendNumber(out, operation.y1);
        out += ",,,";
    } else {
        return;
    }
    appendColour(out, operation.colour);
    out += ',';
    out += std::to_string(operation.width);
    out += '\n';
}

std::string csvText(const std::vector<RecordingSurface::Operation> &drawing)
{
    std::string out = kCsvHeader;
    out.reserve(out.size() + drawing.size() * 48);
    for (const RecordingSurface::Operation &operation : drawing)
        appendCsvRow(out, operation);
    return out;
}
