#pragma once

#include <string_view>

// The reading rule of the input boxes. The full-width and typographic forms
// that a Chinese input method or a word processor gives are first read as
// their ASCII forms (see asciiForms). Blanks, tabs and line feeds anywhere
// in the text are ignored; the rest is read from the left as an optional sign,
// digits with at most one full stop as decimal point (whatever the locale),
// and an optional exponent (E or e, optional sign, digits). Reading stops at
// the first character that does not fit; without any digit the value is 0.
// It never fails: a number too large for a double reads as an infinity, one
// too small as zero.
double readNumber(std::string_view text);

// True when the whole text, blanks aside, is one number under the rule
// (nothing left over, at least one digit).
bool readsInFull(std::string_view text);

// The text (UTF-8) with full-width digits, signs, full stop and E/e in their
// ASCII forms, the minus sign U+2212 and the small hyphen-minus U+FE63 as
// '-', the ideographic full stop '。' as '.', and the ideographic space and
// the no-break space as a blank. Everything else stays as it is.
std::string asciiForms(std::string_view text);
