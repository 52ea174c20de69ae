// One-pass recursive-descent evaluator. Each precedence level is one function,
// lowest first; every operand is evaluated, failures only raise the flag.
#include "formula_language.h"

#include "portable_math.h"

#include <cmath>
#include <cstdlib>

namespace {

// All evaluation state of one call.
struct FormulaState {
    const ToolDef* tool;
    const double* input_values;
    const double* output_values;
    const char* cursor;
    int32_t failed;   // set by any step, cleared by none
    int32_t depth;    // current nesting, bounded by kMaxFormulaNesting
};

constexpr int32_t kNameCapacity = 64;  // at most 63 name characters

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool is_name_start(char c) { return is_letter(c) || c == '_'; }
bool is_name_char(char c) { return is_letter(c) || is_digit(c) || c == '_'; }

void skip_blanks(FormulaState* s) {
    while (is_blank(*s->cursor)) ++s->cursor;
}

void fail(FormulaState* s) { s->failed = 1; }

// Fails and gives 0, the value of any failing element.
double fail_as_zero(FormulaState* s) {
    fail(s);
    return 0.0;
}

// Skips blanks and consumes `c` when it comes next; otherwise fails and reads
// on from there.
void expect(FormulaState* s, char c) {
    skip_blanks(s);
    if (*s->cursor == c) ++s->cursor;
    else fail(s);
}

// Nesting guard: refuses (and fails the formula) past the depth limit, so the
// caller yields 0 without reading further.
bool enter_nested(FormulaState* s) {
    if (s->depth >= kMaxFormulaNesting) {
        fail(s);
        return false;
    }
    ++s->depth;
    return true;
}

void leave_nested(FormulaState* s) { --s->depth; }

double parse_expression(FormulaState* s);

// Powers of ten that are exact doubles.
const double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A decimal read so far: value = mantissa * 10^scale while exact.
struct DecimalDigits {
    uint64_t mantissa;
    int32_t significant;  // digits in the mantissa, at most 15
    int32_t scale;        // decimal exponent
    bool any_digit;
    bool exact;           // false once a significant digit had to be dropped
};

// Reads the digits at p into the decimal and returns the first unit after them.
// Every digit moves the scale by digit_scale: 0 in the integer part, -1 in a fraction.
const char* read_digits(const char* p, int32_t digit_scale, DecimalDigits* d) {
    for (; is_digit(*p); ++p) {
        d->any_digit = true;
        d->scale += digit_scale;
        if (d->mantissa == 0 && *p == '0') continue;  // leading zeros are not significant
        if (d->significant < 15) {
            d->mantissa = d->mantissa * 10 + static_cast<uint64_t>(*p - '0');
            ++d->significant;
        } else {
            d->exact = false;  // strtod decides
        }
    }
    return p;
}

// number: the longest prefix strtod reads. Short decimals (at most 15
// significant digits, decimal exponent within +-22) are exact integers scaled
// by an exact power of ten: one correctly rounded operation, the same result
// as strtod. Everything else (hexadecimal forms, long mantissas) goes to strtod.
double parse_number(FormulaState* s) {
    const char* p = s->cursor;
    bool hexadecimal = p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
    if (!hexadecimal) {
        DecimalDigits d{0, 0, 0, false, true};
        p = read_digits(p, 0, &d);
        if (*p == '.') p = read_digits(p + 1, -1, &d);
        if (!d.any_digit) return fail_as_zero(s);  // a lone "." reads as nothing
        if (*p == 'e' || *p == 'E') {
            const char* q = p + 1;
            bool negative = false;
            if (*q == '+' || *q == '-') {
                negative = *q == '-';
                ++q;
            }
            if (is_digit(*q)) {
                int32_t exponent = 0;
                for (; is_digit(*q); ++q) {
                    if (exponent < 100000) exponent = exponent * 10 + (*q - '0');
                }
                d.scale += negative ? -exponent : exponent;
                p = q;
            }
        }
        if (d.exact && (d.mantissa == 0 || (d.scale >= -22 && d.scale <= 22))) {
            s->cursor = p;
            if (d.mantissa == 0) return 0.0;
            double value = static_cast<double>(d.mantissa);
            return d.scale >= 0 ? value * kExactPowersOfTen[d.scale]
                                : value / kExactPowersOfTen[-d.scale];
        }
    }
    char* end = nullptr;
    double value = std::strtod(s->cursor, &end);
    if (end == s->cursor) return fail_as_zero(s);
    s->cursor = end;
    return value;
}

bool name_equals(const char* key, const char* name, int32_t length) {
    if (key == nullptr || key[0] != name[0]) return false;
    for (int32_t i = 1; i < length; ++i) {
        if (key[i] != name[i]) return false;
    }
    return key[length] == 0;
}

// key: inputs first, then outputs, exact and case-sensitive; else fails as 0.
double look_up_key(FormulaState* s, const char* name, int32_t length) {
    const ToolDef& tool = *s->tool;
    const int32_t inputs = clamped_input_count(tool);
    for (int32_t i = 0; i < inputs; ++i) {
        if (name_equals(tool.inputs[i].key, name, length)) return s->input_values[i];
    }
    const int32_t outputs = clamped_output_count(tool);
    for (int32_t i = 0; i < outputs; ++i) {
        if (name_equals(tool.outputs[i].key, name, length)) return s->output_values[i];
    }
    return fail_as_zero(s);
}

// Powers and decimal logarithms come from portable_math: the C runtimes' pow
// and log10 part in the last bit between the 32-bit and the 64-bit programs
// (and the 64-bit pow misses whole powers such as 1.2^6 by a bit).
double power(double base, double exponent) { return portable_pow(base, exponent); }

double decimal_log(double x) { return portable_log10(x); }

// Functions. Each operation takes the state and its arguments (a one-argument
// function ignores b); an argument outside the domain fails as 0.
double apply_sqrt(FormulaState* s, double x, double) {
    return x < 0 ? fail_as_zero(s) : std::sqrt(x);
}
double apply_abs(FormulaState*, double x, double) { return std::fabs(x); }
double apply_log(FormulaState* s, double x, double) {
    return x <= 0 ? fail_as_zero(s) : std::log(x);
}
double apply_log10(FormulaState* s, double x, double) {
    return x <= 0 ? fail_as_zero(s) : decimal_log(x);
}
double apply_exp(FormulaState*, double x, double) { return std::exp(x); }
double apply_floor(FormulaState*, double x, double) { return std::floor(x); }
double apply_ceil(FormulaState*, double x, double) { return std::ceil(x); }
double apply_round(FormulaState*, double x, double) { return std::floor(x + 0.5); }
double apply_cbrt(FormulaState*, double x, double) {
    return x >= 0 ? power(x, 0.3333333333333333) : -power(-x, 0.3333333333333333);
}
double apply_sign(FormulaState*, double x, double) { return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0); }
double apply_min(FormulaState*, double a, double b) { return a < b ? a : b; }
double apply_max(FormulaState*, double a, double b) { return a > b ? a : b; }
double apply_pow(FormulaState*, double a, double b) { return power(a, b); }
double apply_mod(FormulaState* s, double a, double b) {
    return b == 0 ? fail_as_zero(s) : std::fmod(a, b);
}

struct FormulaFunction {
    const char* name;
    int32_t arity;  // 1 or 2; a call with another argument count fails as 0
    double (*apply)(FormulaState* s, double a, double b);
};

// Two-argument functions first: a call skips the rows of another arity, so none walks far.
const FormulaFunction kFunctions[] = {
    // name     arity  operation
    {"min",     2,     apply_min},
    {"max",     2,     apply_max},
    {"pow",     2,     apply_pow},
    {"mod",     2,     apply_mod},
    {"sqrt",    1,     apply_sqrt},
    {"abs",     1,     apply_abs},
    {"log",     1,     apply_log},
    {"log10",   1,     apply_log10},
    {"exp",     1,     apply_exp},
    {"floor",   1,     apply_floor},
    {"ceil",    1,     apply_ceil},
    {"round",   1,     apply_round},
    {"cbrt",    1,     apply_cbrt},
    {"sign",    1,     apply_sign},
};

// The function of that name taking that many arguments, or null.
const FormulaFunction* find_function(const char* name, int32_t length, int32_t arity) {
    for (const FormulaFunction& function : kFunctions) {
        if (function.arity == arity && name_equals(function.name, name, length)) return &function;
    }
    return nullptr;
}

// call: name "(" expression [ "," expression ] ")"
double parse_call(FormulaState* s, const char* name, int32_t length) {
    ++s->cursor;  // "("
    double a = parse_expression(s);
    double b = 0.0;
    int32_t argument_count = 1;
    skip_blanks(s);
    if (*s->cursor == ',') {
        ++s->cursor;
        b = parse_expression(s);
        argument_count = 2;
    }
    expect(s, ')');
    const FormulaFunction* function = find_function(name, length, argument_count);
    return function != nullptr ? function->apply(s, a, b) : fail_as_zero(s);
}

// primary: "(" expression ")" | number | name [call] ; anything else fails as 0
double parse_primary(FormulaState* s) {
    skip_blanks(s);
    char c = *s->cursor;
    if (c == '(') {
        ++s->cursor;
        double value = parse_expression(s);
        expect(s, ')');
        return value;
    }
    if (is_digit(c) || c == '.') return parse_number(s);
    if (is_name_start(c)) {
        char name[kNameCapacity];
        int32_t length = 0;
        while (length < kNameCapacity - 1 && is_name_char(*s->cursor)) {
            name[length++] = *s->cursor++;
        }
        name[length] = 0;
        skip_blanks(s);
        if (*s->cursor == '(') return parse_call(s, name, length);
        return look_up_key(s, name, length);
    }
    return fail_as_zero(s);
}

// unary: ("+" | "-" | "!") unary | primary
double parse_unary(FormulaState* s) {
    skip_blanks(s);
    char c = *s->cursor;
    if (c != '+' && c != '-' && c != '!') return parse_primary(s);
    ++s->cursor;
    if (!enter_nested(s)) return 0.0;
    double operand = parse_unary(s);
    leave_nested(s);
    if (c == '+') return operand;
    if (c == '-') return -operand;
    return operand == 0 ? 1.0 : 0.0;
}

// power: unary [ "^" power ]   (right-associative)
double parse_power(FormulaState* s) {
    double base = parse_unary(s);
    skip_blanks(s);
    if (*s->cursor != '^') return base;
    ++s->cursor;
    if (!enter_nested(s)) return 0.0;
    double exponent = parse_power(s);
    leave_nested(s);
    return power(base, exponent);
}

// product: power { ("*" | "/" | "%") power }   ("**" is no operator; a zero
// divisor fails and ends the product with the value 0)
double parse_product(FormulaState* s) {
    double value = parse_power(s);
    for (;;) {
        skip_blanks(s);
        char c = *s->cursor;
        if (c == '*' && s->cursor[1] == '*') return value;
        if (c != '*' && c != '/' && c != '%') return value;
        ++s->cursor;
        double right = parse_power(s);
        if (c == '*') {
            value *= right;
        } else if (right == 0) {
            return fail_as_zero(s);
        } else {
            value = c == '/' ? value / right : std::fmod(value, right);
        }
    }
}

// sum: product { ("+" | "-") product }
double parse_sum(FormulaState* s) {
    double value = parse_product(s);
    for (;;) {
        skip_blanks(s);
        char c = *s->cursor;
        if (c != '+' && c != '-') return value;
        ++s->cursor;
        double right = parse_product(s);
        value = c == '+' ? value + right : value - right;
    }
}

// comparison: sum [ ("<=" | ">=" | "==" | "!=" | "<" | ">") sum ]   (no chaining)
double parse_comparison(FormulaState* s) {
    double left = parse_sum(s);
    skip_blanks(s);
    const char* p = s->cursor;
    enum { kNone, kLess, kGreater, kLessEqual, kGreaterEqual, kEqual, kNotEqual } op = kNone;
    if (p[0] == '<' && p[1] == '=') op = kLessEqual;
    else if (p[0] == '>' && p[1] == '=') op = kGreaterEqual;
    else if (p[0] == '=' && p[1] == '=') op = kEqual;
    else if (p[0] == '!' && p[1] == '=') op = kNotEqual;
    else if (p[0] == '<') op = kLess;
    else if (p[0] == '>') op = kGreater;
    if (op == kNone) return left;
    s->cursor += (op == kLess || op == kGreater) ? 1 : 2;
    double right = parse_sum(s);
    switch (op) {
        case kLess: return left < right ? 1.0 : 0.0;
        case kGreater: return left > right ? 1.0 : 0.0;
        case kLessEqual: return left <= right ? 1.0 : 0.0;
        case kGreaterEqual: return left >= right ? 1.0 : 0.0;
        case kEqual: return left == right ? 1.0 : 0.0;
        default: return left != right ? 1.0 : 0.0;
    }
}

// and: comparison { "&&" comparison }   (NaN counts as not 0)
double parse_and(FormulaState* s) {
    double value = parse_comparison(s);
    for (;;) {
        skip_blanks(s);
        if (s->cursor[0] != '&' || s->cursor[1] != '&') return value;
        s->cursor += 2;
        double right = parse_comparison(s);
        value = (value != 0 && right != 0) ? 1.0 : 0.0;
    }
}

// or: and { "||" and }
double parse_or(FormulaState* s) {
    double value = parse_and(s);
    for (;;) {
        skip_blanks(s);
        if (s->cursor[0] != '|' || s->cursor[1] != '|') return value;
        s->cursor += 2;
        double right = parse_and(s);
        value = (value == 0 && right == 0) ? 0.0 : 1.0;
    }
}

// expression: or [ "?" expression ":" expression ]   (both branches evaluated)
double parse_expression(FormulaState* s) {
    if (!enter_nested(s)) return 0.0;
    double condition = parse_or(s);
    skip_blanks(s);
    if (*s->cursor == '?') {
        ++s->cursor;
        double chosen = parse_expression(s);
        expect(s, ':');
        double other = parse_expression(s);
        condition = condition != 0 ? chosen : other;
    }
    leave_nested(s);
    return condition;
}

}  // namespace

double evaluate_formula(const ToolDef& tool, const char* formula, const double* input_values,
                        const double* output_values, int32_t* error_flag) {
    if (formula == nullptr || formula[0] == 0) {
        *error_flag = 1;
        return 0.0;
    }
    FormulaState state{&tool, input_values, output_values, formula, 0, 0};
    double value = parse_expression(&state);
    skip_blanks(&state);
    bool complete = *state.cursor == 0 && state.failed == 0 && std::isfinite(value);
    *error_flag = complete ? 0 : 1;
    return value;
}
