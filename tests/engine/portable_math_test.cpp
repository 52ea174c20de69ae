#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ios>
#include <limits>
#include <string>

#include "engine/formula_language.h"
#include "engine/portable_math.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

uint64_t bits_of(double x) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

// Same double, the sign of a zero included; any NaN matches any NaN.
bool same_double(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return bits_of(a) == bits_of(b);
}

struct PowCase {
    double base;
    double exponent;
    double value;  // the correctly rounded result
};

TEST(PortableMath, PowExactAndSpecialCases) {
    const PowCase cases[] = {
        // base                exponent    value
        {2,                    10,         1024},
        {3,                    20,         3486784401.0},
        {10,                   22,         1e22},
        {10,                   -1,         0.1},
        {1.05,                 30,         0x1.149ab4311dfeep+2},
        {1.2,                  6,          0x1.7e34b945308bap+1},
        {1.1,                  9,          0x1.2dd13add43095p+1},
        {2,                    0.5,        0x1.6a09e667f3bcdp+0},
        {2.5,                  -0.25,      0x1.972db9970a88p-1},
        {7,                    0.1,        0x1.36fe0d9dde8a3p+0},
        {-2,                   3,          -8},
        {-2,                   -2,         0.25},
        {-1.5,                 3,          -3.375},
        {-8,                   1.0 / 3,    kNaN},
        {-1,                   kInf,       1},
        {0.5,                  kInf,       0},
        {0.5,                  -kInf,      kInf},
        {2,                    -kInf,      0},
        {0,                    2,          0},
        {-0.0,                 3,          -0.0},
        {-0.0,                 2,          0},
        {0,                    -1,         kInf},
        {-0.0,                 -1,         -kInf},
        {-0.0,                 -2,         kInf},
        {kInf,                 2,          kInf},
        {kInf,                 -1,         0},
        {-kInf,                3,          -kInf},
        {-kInf,                -3,         -0.0},
        {-kInf,                0.5,        kInf},
        {kNaN,                 0,          1},
        {1,                    kNaN,       1},
        {kNaN,                 1,          kNaN},
        {2,                    kNaN,       kNaN},
        {10,                   309,        kInf},     // overflow
        {-10,                  309,        -kInf},
        {10,                   -330,       0},        // underflow
        {2,                    1023,       0x1p1023},
        {2,                    1024,       kInf},
        {2,                    -1074,      0x1p-1074},
        {0x1p-1074,            0.5,        0x1p-537}, // subnormal base
        {0.5,                  1074.5,     0x1p-1074}, // rounded once into the subnormals
        {1.5,                  -1800,      0x0.0000000218862p-1022},
    };
    for (const PowCase& c : cases) {
        double value = portable_pow(c.base, c.exponent);
        EXPECT_TRUE(same_double(value, c.value))
            << std::hexfloat << c.base << " ^ " << c.exponent << " = " << value << ", not " << c.value;
    }
}

TEST(PortableMath, Log10ExactAndSpecialCases) {
    double power_of_ten = 1;
    for (int n = 0; n <= 22; ++n) {  // every power of ten a double holds exactly
        EXPECT_EQ(portable_log10(power_of_ten), n) << "10^" << n;
        power_of_ten *= 10;
    }
    const PowCase cases[] = {
        // x                       (unused)  value
        {0.1,                      0,        -1},
        {2,                        0,        0x1.34413509f79ffp-2},
        {1.43,                     0,        0x1.3e20d2066bdeep-3},
        {0.693,                    0,        -0x1.462da76574b9cp-3},
        {0x1p-1074,                0,        -0x1.434e6420f4374p+8},
        {1.7976931348623157e308,   0,        0x1.34413509f79ffp+8},
        {0,                        0,        -kInf},
        {-0.0,                     0,        -kInf},
        {-1,                       0,        kNaN},
        {kInf,                     0,        kInf},
        {kNaN,                     0,        kNaN},
    };
    for (const PowCase& c : cases) {
        double value = portable_log10(c.base);
        EXPECT_TRUE(same_double(value, c.value))
            << std::hexfloat << "log10(" << c.base << ") = " << value << ", not " << c.value;
    }
}

// Error in units in the last place of `value` against the wider `exact`.
double ulps_from(double value, long double exact) {
    int exponent = 0;
    std::frexp(static_cast<double>(exact), &exponent);
    long double ulp = std::ldexp(1.0L, exponent - 53 < -1074 ? -1074 : exponent - 53);
    return static_cast<double>(std::fabs(static_cast<long double>(value) - exact) / ulp);
}

// Pseudo-random doubles in [low, high), the same sequence on every build.
struct Sequence {
    uint64_t state;
    double next(double low, double high) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return low + (high - low) * static_cast<double>(state >> 11) * 0x1p-53;
    }
};

// Against glibc's x87 long double functions (11 more bits): at most 0.52 units
// in the last place (the exact results lie within 2^-11 of those). Bases near
// 1 with large exponents and results spanning the whole exponent range are the
// hard part of a power. On the host only: MinGW's long double pow is itself off
// by 0.03 units of a double at times; the Windows programs give the host's bits
// (RandomFormulasGiveTheSameBitsOnEveryBuild).
TEST(PortableMath, WithinHalfAUnitInTheLastPlaceOrSo) {
#ifndef __GLIBC__
    GTEST_SKIP() << "no accurate long double functions to compare with";
#endif
    if (LDBL_MANT_DIG < 64) GTEST_SKIP() << "no wider long double to compare with";
    struct Range {
        double base_low, base_high, exponent_low, exponent_high;
    };
    const Range ranges[] = {
        // base           exponent
        {0.0, 10.0,       -50.0, 50.0},
        {0.99, 1.01,      -60000.0, 60000.0},
        {1e-300, 1e300,   -1.0, 1.0},
        {0.5, 2.0,        -1000.0, 1000.0},
    };
    Sequence sequence{42};
    double worst_pow = 0;
    for (const Range& range : ranges) {
        for (int i = 0; i < 25000; ++i) {
            double base = sequence.next(range.base_low, range.base_high);
            double exponent = sequence.next(range.exponent_low, range.exponent_high);
            long double exact = std::pow(static_cast<long double>(base), static_cast<long double>(exponent));
            if (std::fabs(exact) > DBL_MAX || std::fabs(exact) < DBL_MIN) continue;
            double error = ulps_from(portable_pow(base, exponent), exact);
            ASSERT_LT(error, 0.52) << std::hexfloat << base << " ^ " << exponent;
            if (error > worst_pow) worst_pow = error;
        }
    }
    double worst_log10 = 0;
    for (int i = 0; i < 100000; ++i) {
        double x = i % 2 ? sequence.next(0.9, 1.1) : std::exp(sequence.next(-700, 700));
        double error = ulps_from(portable_log10(x), std::log10(static_cast<long double>(x)));
        ASSERT_LT(error, 0.52) << std::hexfloat << "log10(" << x << ")";
        if (error > worst_log10) worst_log10 = error;
    }
    std::printf("largest error: pow %.3f, log10 %.3f units in the last place\n", worst_pow, worst_log10);
}

// 200,000 pseudo-random formulas of numbers, arithmetic, powers, roots and
// decimal logarithms: the digest of their results' bits is the same on the
// host and in the 32-bit and 64-bit Windows programs. exp and log are left
// out: they are the C runtime's own.
struct FormulaWriter {
    Sequence* sequence;
    std::string text;
    uint32_t pick(uint32_t count) {
        return static_cast<uint32_t>(sequence->next(0, count));
    }
    void number() {
        static const char* const kNumbers[] = {"0", "1", "2", "0.5", "3", "10", "1.05", "0.693",
                                               "3.32", "1e-3", "2.5e2", "7", "0.1", "1e300"};
        if (pick(3) == 0) {  // a decimal of up to six digits, up to four after the point
            std::string digits = std::to_string(pick(1000000));
            uint32_t places = pick(5);
            if (places < digits.size()) digits.insert(digits.size() - places, ".");
            text += digits;
        } else {
            text += kNumbers[pick(sizeof kNumbers / sizeof kNumbers[0])];
        }
    }
    void term(int depth) {
        if (depth <= 0) return number();
        static const char* const kOperators[] = {"+", "-", "*", "/", "^"};
        static const char* const kOneArgument[] = {"log10(", "cbrt(", "sqrt(", "abs(", "-("};
        static const char* const kTwoArguments[] = {"pow(", "min(", "max("};
        switch (pick(4)) {
            case 0:
                return number();
            case 1:
                text += "(";
                term(depth - 1);
                text += kOperators[pick(5)];
                term(depth - 1);
                text += ")";
                return;
            case 2:
                text += kOneArgument[pick(5)];
                term(depth - 1);
                text += ")";
                return;
            default:
                text += kTwoArguments[pick(3)];
                term(depth - 1);
                text += ",";
                term(depth - 1);
                text += ")";
                return;
        }
    }
};

TEST(PortableMath, RandomFormulasGiveTheSameBitsOnEveryBuild) {
    const ToolDef tool = {1, L"", L"", L"", L"", L"", 0, nullptr, 0, nullptr, 0, nullptr, 0};
    Sequence sequence{2026};
    uint64_t digest = 14695981039346656037ULL;  // FNV-1a over the results' bits
    for (int i = 0; i < 200000; ++i) {
        FormulaWriter writer{&sequence, std::string()};
        writer.term(4);
        int32_t flag = -1;
        double value = evaluate_formula(tool, writer.text.c_str(), nullptr, nullptr, &flag);
        uint64_t bits = std::isnan(value) ? 0x7ff8000000000000ULL : bits_of(value);
        for (int byte = 0; byte < 8; ++byte) {
            digest = (digest ^ ((bits >> (8 * byte)) & 0xff)) * 1099511628211ULL;
        }
        digest = (digest ^ static_cast<uint64_t>(flag)) * 1099511628211ULL;
    }
    EXPECT_EQ(digest, 0x51f6d757a44c3f3eULL) << std::hex << digest;
}

}  // namespace
