#include <charconv>
#include <cmath>
#include <string>

#include "tl_string.h"

// printf-style formatting over a typed argument list, the same on every platform.

int64_t TLString::Arg::as_signed() const {
    if (auto* v = std::get_if<int64_t>(&value_)) return *v;
    if (auto* v = std::get_if<uint64_t>(&value_)) return static_cast<int64_t>(*v);
    if (auto* v = std::get_if<double>(&value_)) return static_cast<int64_t>(*v);
    return 0;
}

double TLString::Arg::as_double() const {
    if (auto* v = std::get_if<double>(&value_)) return *v;
    if (auto* v = std::get_if<uint64_t>(&value_)) return static_cast<double>(*v);
    return static_cast<double>(as_signed());
}

namespace {

struct Spec {
    bool left = false, zero = false, plus = false, space = false;
    int width = 0;
    int precision = -1;
};

void Pad(TLString& out, std::u16string_view body, const Spec& spec, std::u16string_view sign = {}) {
    const size_t used = body.size() + sign.size();
    const size_t fill = spec.width > 0 && static_cast<size_t>(spec.width) > used ? spec.width - used : 0;
    if (!spec.left && !spec.zero)
        for (size_t i = 0; i < fill; ++i) out.Append(u' ');
    out.Append(sign);
    if (!spec.left && spec.zero)
        for (size_t i = 0; i < fill; ++i) out.Append(u'0');
    out.Append(body);
    if (spec.left)
        for (size_t i = 0; i < fill; ++i) out.Append(u' ');
}

void FormatInteger(TLString& out, uint64_t magnitude, bool negative, unsigned base, bool upper, const Spec& spec) {
    char16_t digits[32];
    size_t n = 0;
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    do {
        digits[sizeof(digits) / 2 - 1 - n++] = static_cast<char16_t>(set[magnitude % base]);
        magnitude /= base;
    } while (magnitude);
    std::u16string body(digits + sizeof(digits) / 2 - n, n);
    if (spec.precision >= 0 && body.size() < static_cast<size_t>(spec.precision))
        body.insert(0, spec.precision - body.size(), u'0');
    std::u16string_view sign = negative ? u"-" : spec.plus ? u"+" : spec.space ? u" " : u"";
    Spec s = spec;
    if (spec.precision >= 0) s.zero = false;
    Pad(out, body, s, sign);
}

// Through to_chars, never snprintf: the C library follows the user's locale (startup switches to it),
// and the texts formatted here are stored and read back by programs, where "1,5" is not a number.
void FormatFloating(TLString& out, double value, char16_t conversion, const Spec& spec) {
    const int precision = spec.precision < 0 ? 6 : spec.precision;
    const std::chars_format form = conversion == u'f'   ? std::chars_format::fixed
                                   : conversion == u'e' ? std::chars_format::scientific
                                                        : std::chars_format::general;
    // The widest fixed form: 309 integral digits of the largest double, the point and the decimals.
    std::string digits(static_cast<size_t>(precision) + 330, '\0');
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), std::fabs(value), form, precision);
    digits.resize(static_cast<size_t>(result.ptr - digits.data()));
    std::u16string body(digits.begin(), digits.end());
    const std::u16string_view sign = std::signbit(value) ? u"-" : spec.plus ? u"+" : spec.space ? u" " : u"";
    Spec s = spec;
    if (!std::isfinite(value)) s.zero = false;
    Pad(out, body, s, sign);
}

}  // namespace

TLString TLString::FormatArgs(std::u16string_view format, std::initializer_list<Arg> args) {
    TLString out;
    out.Reserve(format.size() + 32);  // room for the usual short arguments
    const Arg* next = args.begin();
    auto take = [&]() -> const Arg* { return next != args.end() ? next++ : nullptr; };

    for (size_t i = 0; i < format.size(); ++i) {
        // Literal text up to the next conversion goes over in one piece.
        const size_t percent = format.find(u'%', i);
        if (percent == std::u16string_view::npos || percent + 1 >= format.size()) {
            out.Append(format.substr(i));
            return out;
        }
        out.Append(format.substr(i, percent - i));
        i = percent + 1;
        Spec spec;
        for (;; ++i) {
            if (i >= format.size()) return out;
            const char16_t f = format[i];
            if (f == u'-')
                spec.left = true;
            else if (f == u'0')
                spec.zero = true;
            else if (f == u'+')
                spec.plus = true;
            else if (f == u' ')
                spec.space = true;
            else if (f != u'#')
                break;
        }
        if (i < format.size() && format[i] == u'*') {
            const Arg* a = take();
            spec.width = a ? static_cast<int>(a->as_signed()) : 0;
            if (spec.width < 0) spec.left = true, spec.width = -spec.width;
            ++i;
        }
        while (i < format.size() && format[i] >= u'0' && format[i] <= u'9')
            spec.width = spec.width * 10 + (format[i++] - u'0');
        if (i < format.size() && format[i] == u'.') {
            spec.precision = 0;
            ++i;
            if (i < format.size() && format[i] == u'*') {
                const Arg* a = take();
                spec.precision = a ? static_cast<int>(a->as_signed()) : 0;
                ++i;
            }
            while (i < format.size() && format[i] >= u'0' && format[i] <= u'9')
                spec.precision = spec.precision * 10 + (format[i++] - u'0');
        }
        // Size prefixes change nothing: every integer argument already carries 64 bits.
        if (format.substr(i, 3) == u"I64") i += 3;
        while (i < format.size() && (format[i] == u'l' || format[i] == u'h' || format[i] == u'z')) ++i;
        if (i >= format.size()) return out;

        const char16_t conversion = format[i];
        if (conversion == u'%') {
            out.Append(u'%');
            continue;
        }
        const Arg* a = take();
        if (!a) continue;
        switch (conversion) {
            case u's':
            case u'S': {
                std::u16string_view text = a->text() ? *a->text() : std::u16string_view();
                if (spec.precision >= 0) text = text.substr(0, spec.precision);
                Spec s = spec;
                s.zero = false;
                Pad(out, text, s);
                break;
            }
            case u'c': {
                const char16_t ch = static_cast<char16_t>(a->as_unsigned());
                Pad(out, std::u16string_view(&ch, 1), spec);
                break;
            }
            case u'd':
            case u'i': {
                const int64_t v = a->as_signed();
                const uint64_t magnitude = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
                FormatInteger(out, magnitude, v < 0, 10, false, spec);
                break;
            }
            case u'u':
                FormatInteger(out, a->as_unsigned(), false, 10, false, spec);
                break;
            case u'x':
                FormatInteger(out, a->as_unsigned(), false, 16, false, spec);
                break;
            case u'X':
                FormatInteger(out, a->as_unsigned(), false, 16, true, spec);
                break;
            case u'f':
            case u'g':
            case u'e':
                FormatFloating(out, a->as_double(), conversion, spec);
                break;
            default:
                break;
        }
    }
    return out;
}
