// Powers and decimal logarithms in plain double arithmetic (portable_math.h).
//
// The method is the usual table-driven one of today's C libraries, written
// here for this program with tables of its own (tools/math-tables.py):
//   ln x   = k ln 2 + ln(1/invc) + log1p(r), x = 2^k z, r = z invc - 1, with
//            invc from a table of 128 subintervals, r exact as rhi + rlo, and
//            the sum kept as a double-double (hi + lo), about 2^-67 relative;
//   x^y    = exp(y ln x), the product a double-double, exp from a table of
//            2^(i/128) and a polynomial for the remainder |r| < ln 2 / 256;
//   log10  = ln x / ln 10, the product exact in its leading part.
// Only the final addition rounds noticeably, so results are within about
// 0.52 units in the last place and nearly always correctly rounded.
//
// Every value is a double and every operation one IEEE operation rounded to
// nearest; integer work on the bits does the rest. No long double, no fused
// multiply-add, no library call: the 32-bit build (SSE2) and the 64-bit build
// give the same bits.
#include "portable_math.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

uint64_t bits_of(double x) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

double double_of(uint64_t bits) {
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

struct LogRow {
    double invc;      // about 1/c for c the middle of the subinterval (at most 8 bits)
    double logc;      // -ln(invc), a multiple of 2^-42
    double logctail;  // -ln(invc) - logc
};

struct ExpRow {
    double scale;  // 2^(i/128) rounded
    double tail;   // 2^(i/128) / scale - 1
};

const LogRow kLogRows[128] = {
    // invc                    logc                      logctail
    {0x1.6a00000000000p+0,    -0x1.62c82f2b9c000p-2,    -0x1.e54bdbd7c8a98p-44},
    {0x1.6800000000000p+0,    -0x1.5d1bdbf581000p-2,    0x1.8d6bdc9c7c238p-44},
    {0x1.6600000000000p+0,    -0x1.5767717456000p-2,    0x1.64ead9524d7cap-44},
    {0x1.6400000000000p+0,    -0x1.51aad872e0000p-2,    0x1.f4bd8db0a7cc1p-44},
    {0x1.6200000000000p+0,    -0x1.4be5f95778000p-2,    0x1.d7c92cd9ad824p-44},
    {0x1.6000000000000p+0,    -0x1.4618bc21c6000p-2,    0x1.3d82f484c84ccp-46},
    {0x1.5e00000000000p+0,    -0x1.404308686a000p-2,    -0x1.f8ef43049f7d3p-44},
    {0x1.5c00000000000p+0,    -0x1.3a64c55694000p-2,    -0x1.7a71cbcd735d0p-44},
    {0x1.5a00000000000p+0,    -0x1.347dd9a988000p-2,    0x1.5594dd4c58092p-45},
    {0x1.5800000000000p+0,    -0x1.2e8e2bae12000p-2,    0x1.67b1e99b72bd8p-45},
    {0x1.5600000000000p+0,    -0x1.2895a13de8000p-2,    -0x1.a8d7ad24c13f0p-44},
    {0x1.5600000000000p+0,    -0x1.2895a13de8000p-2,    -0x1.a8d7ad24c13f0p-44},
    {0x1.5400000000000p+0,    -0x1.22941fbcf8000p-2,    0x1.a6976f5eb0963p-44},
    {0x1.5200000000000p+0,    -0x1.1c898c169a000p-2,    0x1.81410e5c62affp-44},
    {0x1.5000000000000p+0,    -0x1.1675cababa000p-2,    -0x1.8380e731f55c4p-44},
    {0x1.4e00000000000p+0,    -0x1.1058bf9ae5000p-2,    0x1.4ab9d817d52cdp-44},
    {0x1.4c00000000000p+0,    -0x1.0a324e2739000p-2,    -0x1.c6bee7ef4030ep-47},
    {0x1.4a00000000000p+0,    -0x1.0402594b4d000p-2,    -0x1.036b89ef42d7fp-48},
    {0x1.4a00000000000p+0,    -0x1.0402594b4d000p-2,    -0x1.036b89ef42d7fp-48},
    {0x1.4800000000000p+0,    -0x1.fb9186d5e4000p-3,    0x1.d572aab993c87p-47},
    {0x1.4600000000000p+0,    -0x1.ef0adcbdc6000p-3,    0x1.b26b79c86af24p-45},
    {0x1.4400000000000p+0,    -0x1.e27076e2b0000p-3,    0x1.a342c2af0003cp-44},
    {0x1.4200000000000p+0,    -0x1.d5c216b4fc000p-3,    0x1.1ba91bbca681bp-45},
    {0x1.4000000000000p+0,    -0x1.c8ff7c79aa000p-3,    0x1.7794f689f8434p-45},
    {0x1.4000000000000p+0,    -0x1.c8ff7c79aa000p-3,    0x1.7794f689f8434p-45},
    {0x1.3e00000000000p+0,    -0x1.bc286742d8000p-3,    -0x1.9ac53f39d121cp-44},
    {0x1.3c00000000000p+0,    -0x1.af3c94e80c000p-3,    0x1.a4e633fcd9066p-52},
    {0x1.3a00000000000p+0,    -0x1.a23bc1fe2c000p-3,    0x1.539cd91dc9f0bp-44},
    {0x1.3a00000000000p+0,    -0x1.a23bc1fe2c000p-3,    0x1.539cd91dc9f0bp-44},
    {0x1.3800000000000p+0,    -0x1.9525a9cf46000p-3,    0x1.297137d9f158fp-44},
    {0x1.3600000000000p+0,    -0x1.87fa06520c000p-3,    -0x1.22120401202fcp-44},
    {0x1.3400000000000p+0,    -0x1.7ab890210e000p-3,    0x1.bdb9072534a58p-45},
    {0x1.3400000000000p+0,    -0x1.7ab890210e000p-3,    0x1.bdb9072534a58p-45},
    {0x1.3200000000000p+0,    -0x1.6d60fe719e000p-3,    0x1.bc6e557134767p-44},
    {0x1.3000000000000p+0,    -0x1.5ff3070a7a000p-3,    0x1.8586f183bebf2p-44},
    {0x1.3000000000000p+0,    -0x1.5ff3070a7a000p-3,    0x1.8586f183bebf2p-44},
    {0x1.2e00000000000p+0,    -0x1.526e5e3a1c000p-3,    0x1.790ba37fc5238p-44},
    {0x1.2c00000000000p+0,    -0x1.44d2b6ccb8000p-3,    0x1.70cc16135783cp-46},
    {0x1.2c00000000000p+0,    -0x1.44d2b6ccb8000p-3,    0x1.70cc16135783cp-46},
    {0x1.2a00000000000p+0,    -0x1.371fc201e8000p-3,    -0x1.ee8779b2d8abcp-44},
    {0x1.2800000000000p+0,    -0x1.29552f8200000p-3,    0x1.5b967f4471dfcp-44},
    {0x1.2600000000000p+0,    -0x1.1b72ad52f6000p-3,    -0x1.e80a41811a396p-45},
    {0x1.2600000000000p+0,    -0x1.1b72ad52f6000p-3,    -0x1.e80a41811a396p-45},
    {0x1.2400000000000p+0,    -0x1.0d77e7cd08000p-3,    -0x1.cb2cd2ee2f482p-44},
    {0x1.2400000000000p+0,    -0x1.0d77e7cd08000p-3,    -0x1.cb2cd2ee2f482p-44},
    {0x1.2200000000000p+0,    -0x1.fec9131dc0000p-4,    0x1.54555d1ae6607p-44},
    {0x1.2000000000000p+0,    -0x1.e27076e2b0000p-4,    0x1.a342c2af0003cp-45},
    {0x1.2000000000000p+0,    -0x1.e27076e2b0000p-4,    0x1.a342c2af0003cp-45},
    {0x1.1e00000000000p+0,    -0x1.c5e548f5bc000p-4,    -0x1.d0c57585fbe06p-46},
    {0x1.1c00000000000p+0,    -0x1.a926d3a4ac000p-4,    -0x1.563650bd22a9cp-44},
    {0x1.1c00000000000p+0,    -0x1.a926d3a4ac000p-4,    -0x1.563650bd22a9cp-44},
    {0x1.1a00000000000p+0,    -0x1.8c345d6318000p-4,    -0x1.b20f5acb42a66p-44},
    {0x1.1a00000000000p+0,    -0x1.8c345d6318000p-4,    -0x1.b20f5acb42a66p-44},
    {0x1.1800000000000p+0,    -0x1.6f0d28ae58000p-4,    0x1.4b4641b664613p-44},
    {0x1.1600000000000p+0,    -0x1.51b073f060000p-4,    -0x1.83f69278e686ap-44},
    {0x1.1600000000000p+0,    -0x1.51b073f060000p-4,    -0x1.83f69278e686ap-44},
    {0x1.1400000000000p+0,    -0x1.341d7961bc000p-4,    -0x1.1d09299837610p-44},
    {0x1.1400000000000p+0,    -0x1.341d7961bc000p-4,    -0x1.1d09299837610p-44},
    {0x1.1200000000000p+0,    -0x1.16536eea38000p-4,    0x1.47c5e768fa309p-46},
    {0x1.1000000000000p+0,    -0x1.f0a30c0118000p-5,    0x1.d599e83368e91p-45},
    {0x1.1000000000000p+0,    -0x1.f0a30c0118000p-5,    0x1.d599e83368e91p-45},
    {0x1.0e00000000000p+0,    -0x1.b42dd71198000p-5,    0x1.c827ae5d6704cp-46},
    {0x1.0e00000000000p+0,    -0x1.b42dd71198000p-5,    0x1.c827ae5d6704cp-46},
    {0x1.0c00000000000p+0,    -0x1.77458f6330000p-5,    0x1.181dce586af09p-44},
    {0x1.0c00000000000p+0,    -0x1.77458f6330000p-5,    0x1.181dce586af09p-44},
    {0x1.0a00000000000p+0,    -0x1.39e87b9fe8000p-5,    -0x1.eafd480ad9015p-44},
    {0x1.0a00000000000p+0,    -0x1.39e87b9fe8000p-5,    -0x1.eafd480ad9015p-44},
    {0x1.0800000000000p+0,    -0x1.f829b0e780000p-6,    -0x1.980267c7e09e4p-45},
    {0x1.0800000000000p+0,    -0x1.f829b0e780000p-6,    -0x1.980267c7e09e4p-45},
    {0x1.0600000000000p+0,    -0x1.7b91b07d60000p-6,    0x1.3b955b602ace4p-44},
    {0x1.0400000000000p+0,    -0x1.fc0a8b0fc0000p-7,    -0x1.f1e7cf6d3a69cp-50},
    {0x1.0400000000000p+0,    -0x1.fc0a8b0fc0000p-7,    -0x1.f1e7cf6d3a69cp-50},
    {0x1.0200000000000p+0,    -0x1.fe02a6b100000p-8,    -0x1.9e23f0dda40e4p-46},
    {0x1.0200000000000p+0,    -0x1.fe02a6b100000p-8,    -0x1.9e23f0dda40e4p-46},
    {0x1.0000000000000p+0,    0.0,                      0.0},
    {0x1.0000000000000p+0,    0.0,                      0.0},
    {0x1.fc00000000000p-1,    0x1.0101575880000p-7,     0x1.bce251998b506p-44},
    {0x1.f800000000000p-1,    0x1.0205658930000p-6,     0x1.611d27c8e8417p-44},
    {0x1.f400000000000p-1,    0x1.8492528c90000p-6,     -0x1.aa0ba325a0c34p-45},
    {0x1.f000000000000p-1,    0x1.0415d89e78000p-5,     -0x1.dddc7f461c516p-44},
    {0x1.ec00000000000p-1,    0x1.466aed42e0000p-5,     -0x1.c167375bdfd28p-45},
    {0x1.e800000000000p-1,    0x1.894aa149f8000p-5,     0x1.9a19a8be97661p-44},
    {0x1.e400000000000p-1,    0x1.ccb73cddd8000p-5,     0x1.965c36e09f5fep-44},
    {0x1.e200000000000p-1,    0x1.eea31c0068000p-5,     0x1.c3dd83606d891p-44},
    {0x1.de00000000000p-1,    0x1.1973bd1464000p-4,     0x1.566d154f930b3p-44},
    {0x1.da00000000000p-1,    0x1.3bdf5a7d20000p-4,     -0x1.19bd0ad125895p-44},
    {0x1.d600000000000p-1,    0x1.5e95a4d978000p-4,     0x1.1cb7ce1d17171p-44},
    {0x1.d400000000000p-1,    0x1.700d30aeac000p-4,     0x1.c1e8da99ded32p-49},
    {0x1.d000000000000p-1,    0x1.9335e5d594000p-4,     0x1.3115c3abd47dap-45},
    {0x1.cc00000000000p-1,    0x1.b6ac88dad4000p-4,     0x1.b1bdff50225c7p-44},
    {0x1.ca00000000000p-1,    0x1.c885801bc4000p-4,     0x1.646d1c65aacd3p-45},
    {0x1.c600000000000p-1,    0x1.ec739830a0000p-4,     0x1.11fcba80cdd10p-44},
    {0x1.c400000000000p-1,    0x1.fe89139dbc000p-4,     0x1.56594d82f7a82p-44},
    {0x1.c000000000000p-1,    0x1.1178e8227e000p-3,     0x1.1ef78ce2d07f2p-45},
    {0x1.be00000000000p-1,    0x1.1aa2b7e240000p-3,     -0x1.1ac38dde3b366p-44},
    {0x1.ba00000000000p-1,    0x1.2d1610c868000p-3,     0x1.39d6ccb81b4a1p-47},
    {0x1.b800000000000p-1,    0x1.365fcb015a000p-3,     -0x1.fd3a0afb9691bp-44},
    {0x1.b400000000000p-1,    0x1.4913d8333c000p-3,     -0x1.53e43558124c4p-44},
    {0x1.b200000000000p-1,    0x1.527e5e4a1c000p-3,     -0x1.4e60b8d4b411dp-44},
    {0x1.ae00000000000p-1,    0x1.6574ebe8c2000p-3,     -0x1.98c1d34f0f462p-44},
    {0x1.ac00000000000p-1,    0x1.6f0128b756000p-3,     0x1.577390d31ef0fp-44},
    {0x1.aa00000000000p-1,    0x1.7898d85444000p-3,     0x1.8e67be3dbaf3fp-44},
    {0x1.a600000000000p-1,    0x1.8beafeb390000p-3,     -0x1.73d54aae92cd1p-47},
    {0x1.a400000000000p-1,    0x1.95a5adcf70000p-3,     0x1.7f22858a0ff6fp-47},
    {0x1.a000000000000p-1,    0x1.a93ed3c8ae000p-3,     -0x1.8724350562169p-45},
    {0x1.9e00000000000p-1,    0x1.b31d8575bc000p-3,     0x1.c794e562a63cbp-44},
    {0x1.9c00000000000p-1,    0x1.bd087383be000p-3,     -0x1.d4bc4595412b6p-45},
    {0x1.9a00000000000p-1,    0x1.c6ffbc6f00000p-3,     0x1.ee138d3a69d43p-44},
    {0x1.9600000000000p-1,    0x1.db13db0d48000p-3,     0x1.2806a847527e6p-44},
    {0x1.9400000000000p-1,    0x1.e530effe72000p-3,     -0x1.fdbdbb13f7c18p-44},
    {0x1.9200000000000p-1,    0x1.ef5ade4dd0000p-3,     -0x1.a211565bb8e11p-51},
    {0x1.9000000000000p-1,    0x1.f991c6cb3c000p-3,     -0x1.90d04cd7cc834p-44},
    {0x1.8c00000000000p-1,    0x1.07138604d6000p-2,     -0x1.e76324e912b17p-44},
    {0x1.8a00000000000p-1,    0x1.0c42d67616000p-2,     0x1.7188b163ceae9p-45},
    {0x1.8800000000000p-1,    0x1.1178e8227e000p-2,     0x1.1ef78ce2d07f2p-44},
    {0x1.8600000000000p-1,    0x1.16b5ccbad0000p-2,     -0x1.23299042d74bfp-44},
    {0x1.8400000000000p-1,    0x1.1bf99635a7000p-2,     -0x1.1ac89575c2125p-44},
    {0x1.8200000000000p-1,    0x1.214456d0ec000p-2,     -0x1.caf0428b728a3p-44},
    {0x1.7e00000000000p-1,    0x1.2bef07cdc9000p-2,     0x1.a9cfa4a5004f4p-45},
    {0x1.7c00000000000p-1,    0x1.314f1e1d36000p-2,     -0x1.8e27ad3213cb8p-45},
    {0x1.7a00000000000p-1,    0x1.36b6776be1000p-2,     0x1.16ecdb0f177c8p-46},
    {0x1.7800000000000p-1,    0x1.3c25277333000p-2,     0x1.83b54b606bd5cp-46},
    {0x1.7600000000000p-1,    0x1.419b423d5f000p-2,     -0x1.ce379226de3ecp-44},
    {0x1.7400000000000p-1,    0x1.4718dc271c000p-2,     0x1.06c18fb4c14c5p-44},
    {0x1.7200000000000p-1,    0x1.4c9e09e173000p-2,     -0x1.e20891b0ad8a4p-45},
    {0x1.7000000000000p-1,    0x1.522ae0738a000p-2,     0x1.ebe708164c759p-45},
    {0x1.6e00000000000p-1,    0x1.57bf753c8d000p-2,     0x1.fadedee5d40efp-46},
    {0x1.6c00000000000p-1,    0x1.5d5bddf596000p-2,     -0x1.a0b2a08a465dcp-47},
};

const ExpRow kExpRows[128] = {
    // scale                 tail
    {0x1.0000000000000p+0,    0.0},
    {0x1.0163da9fb3335p+0,    0x1.b3b4f1a88bf6ep-54},
    {0x1.02c9a3e778061p+0,    -0x1.160139cd8dc5dp-56},
    {0x1.04315e86e7f85p+0,    -0x1.05e7a108766d1p-54},
    {0x1.059b0d3158574p+0,    0x1.cd2523567f613p-55},
    {0x1.0706b29ddf6dep+0,    -0x1.bce8023f98efap-55},
    {0x1.0874518759bc8p+0,    0x1.0f74e61e6c861p-57},
    {0x1.09e3ecac6f383p+0,    0x1.0a3e45b33d399p-54},
    {0x1.0b5586cf9890fp+0,    0x1.79aa65d837b6dp-54},
    {0x1.0cc922b7247f7p+0,    0x1.eb51a92fdeffcp-55},
    {0x1.0e3ec32d3d1a2p+0,    0x1.ebe3d702f9cd1p-60},
    {0x1.0fb66affed31bp+0,    -0x1.a033489906e0bp-57},
    {0x1.11301d0125b51p+0,    -0x1.556522a2fbd0ep-54},
    {0x1.12abdc06c31ccp+0,    -0x1.080ef8c4eea55p-58},
    {0x1.1429aaea92de0p+0,    -0x1.1c923b9d5f416p-54},
    {0x1.15a98c8a58e51p+0,    0x1.0d3e3e95c55afp-55},
    {0x1.172b83c7d517bp+0,    -0x1.01b15eaa59348p-55},
    {0x1.18af9388c8deap+0,    -0x1.f1ff055de323dp-55},
    {0x1.1a35beb6fcb75p+0,    0x1.b898c3f1353bfp-55},
    {0x1.1bbe084045cd4p+0,    -0x1.6d99c7611eb26p-54},
    {0x1.1d4873168b9aap+0,    0x1.aecf73e3a2f60p-54},
    {0x1.1ed5022fcd91dp+0,    -0x1.fe782cb86389dp-55},
    {0x1.2063b88628cd6p+0,    0x1.a6f4144a6c38dp-55},
    {0x1.21f49917ddc96p+0,    0x1.07a05b0e4047dp-55},
    {0x1.2387a6e756238p+0,    0x1.68efde3a8a894p-54},
    {0x1.251ce4fb2a63fp+0,    0x1.75e18f274487dp-55},
    {0x1.26b4565e27cddp+0,    0x1.0472b981fe7f2p-55},
    {0x1.284dfe1f56381p+0,    -0x1.6b87b3f71085ep-54},
    {0x1.29e9df51fdee1p+0,    0x1.2f7e16d09ab31p-55},
    {0x1.2b87fd0dad990p+0,    -0x1.d219b1a6fbffap-60},
    {0x1.2d285a6e4030bp+0,    0x1.b3782720c0ab4p-55},
    {0x1.2ecafa93e2f56p+0,    0x1.e149289cecb8fp-57},
    {0x1.306fe0a31b715p+0,    0x1.34d754db0abb6p-55},
    {0x1.32170fc4cd831p+0,    0x1.64201e2ac744cp-55},
    {0x1.33c08b26416ffp+0,    0x1.fdd395dd3f84ap-55},
    {0x1.356c55f929ff1p+0,    -0x1.6a3803b8e5b04p-55},
    {0x1.371a7373aa9cbp+0,    -0x1.24aedcc4b5068p-54},
    {0x1.38cae6d05d866p+0,    -0x1.907f81b512d8ep-54},
    {0x1.3a7db34e59ff7p+0,    -0x1.1d1e83e9436d2p-56},
    {0x1.3c32dc313a8e5p+0,    -0x1.91919b3ce1b15p-54},
    {0x1.3dea64c123422p+0,    0x1.59f48a72a4c6dp-55},
    {0x1.3fa4504ac801cp+0,    -0x1.312607a28698ap-54},
    {0x1.4160a21f72e2ap+0,    -0x1.8a78f4817895bp-58},
    {0x1.431f5d950a897p+0,    -0x1.c2c9b67499a1bp-56},
    {0x1.44e086061892dp+0,    0x1.363ed60c2ac11p-59},
    {0x1.46a41ed1d0057p+0,    0x1.666093b0664efp-54},
    {0x1.486a2b5c13cd0p+0,    0x1.ecce1daa10379p-57},
    {0x1.4a32af0d7d3dep+0,    0x1.3ff8e3f0f1230p-54},
    {0x1.4bfdad5362a27p+0,    0x1.690cebb7aafb0p-56},
    {0x1.4dcb299fddd0dp+0,    0x1.31dbdeb54e077p-54},
    {0x1.4f9b2769d2ca7p+0,    -0x1.f94340071a38ep-55},
    {0x1.516daa2cf6642p+0,    -0x1.7deccdc93a349p-55},
    {0x1.5342b569d4f82p+0,    -0x1.8dec6bd0f385fp-56},
    {0x1.551a4ca5d920fp+0,    -0x1.61246ec7b5cf6p-55},
    {0x1.56f4736b527dap+0,    0x1.3350518fdd78ep-54},
    {0x1.58d12d497c7fdp+0,    0x1.b98b72f8a9b05p-56},
    {0x1.5ab07dd485429p+0,    0x1.063e1e21c5409p-54},
    {0x1.5c9268a5946b7p+0,    0x1.4c7855019c6eap-60},
    {0x1.5e76f15ad2148p+0,    0x1.432e62b64c035p-54},
    {0x1.605e1b976dc09p+0,    -0x1.ce44a6199769fp-55},
    {0x1.6247eb03a5585p+0,    -0x1.c33c53bef4da8p-55},
    {0x1.6434634ccc320p+0,    -0x1.45378892be9aep-55},
    {0x1.6623882552225p+0,    -0x1.3cedd78565858p-54},
    {0x1.68155d44ca973p+0,    0x1.710aa807e1964p-58},
    {0x1.6a09e667f3bcdp+0,    -0x1.3b3efbf5e2228p-54},
    {0x1.6c012750bdabfp+0,    -0x1.a12ad8734b982p-57},
    {0x1.6dfb23c651a2fp+0,    -0x1.367efb86da9eep-57},
    {0x1.6ff7df9519484p+0,    -0x1.0dc3d54e08851p-55},
    {0x1.71f75e8ec5f74p+0,    -0x1.81f647e5a3ecfp-56},
    {0x1.73f9a48a58174p+0,    -0x1.6ee4ac08b7db0p-55},
    {0x1.75feb564267c9p+0,    -0x1.619321e55e68ap-55},
    {0x1.780694fde5d3fp+0,    0x1.09ccb5e09d4d3p-54},
    {0x1.7a11473eb0187p+0,    -0x1.b32dcb94da51dp-56},
    {0x1.7c1ed0130c132p+0,    0x1.4ecfd5467c06bp-54},
    {0x1.7e2f336cf4e62p+0,    0x1.5ebe1abd66c55p-57},
    {0x1.80427543e1a12p+0,    -0x1.8a1c52fb3cf42p-55},
    {0x1.82589994cce13p+0,    -0x1.369b6f13b3734p-54},
    {0x1.8471a4623c7adp+0,    -0x1.05e843a19ff1ep-55},
    {0x1.868d99b4492edp+0,    -0x1.4d450d872576ep-54},
    {0x1.88ac7d98a6699p+0,    0x1.0ad675b0e8a00p-54},
    {0x1.8ace5422aa0dbp+0,    0x1.db72fc1f0eab4p-55},
    {0x1.8cf3216b5448cp+0,    -0x1.5b6609cc5e7ffp-57},
    {0x1.8f1ae99157736p+0,    0x1.bf68359f35f44p-56},
    {0x1.9145b0b91ffc6p+0,    -0x1.3091fa71e3d83p-54},
    {0x1.93737b0cdc5e5p+0,    -0x1.da9b88b6c1e29p-58},
    {0x1.95a44cbc8520fp+0,    -0x1.c23f97c90b959p-57},
    {0x1.97d829fde4e50p+0,    -0x1.2434322f4f9aap-54},
    {0x1.9a0f170ca07bap+0,    -0x1.5ca6cd7668e4bp-55},
    {0x1.9c49182a3f090p+0,    0x1.1affc2b91ce27p-56},
    {0x1.9e86319e32323p+0,    0x1.dd235e10a73bbp-57},
    {0x1.a0c667b5de565p+0,    -0x1.7c50422622263p-55},
    {0x1.a309bec4a2d33p+0,    0x1.b1c86e3e231d5p-55},
    {0x1.a5503b23e255dp+0,    -0x1.1bbd1d3bcbb15p-54},
    {0x1.a799e1330b358p+0,    0x1.0cc319cee31d2p-54},
    {0x1.a9e6b5579fdbfp+0,    0x1.469846e735ab3p-55},
    {0x1.ac36bbfd3f37ap+0,    -0x1.2dfcd978e9db4p-55},
    {0x1.ae89f995ad3adp+0,    0x1.c1a7792cb3387p-55},
    {0x1.b0e07298db666p+0,    -0x1.07b8f4ad1d9fap-54},
    {0x1.b33a2b84f15fbp+0,    -0x1.5c3d956dcaebap-58},
    {0x1.b59728de5593ap+0,    -0x1.0a40e3da6f640p-54},
    {0x1.b7f76f2fb5e47p+0,    -0x1.8d6f438ad9334p-57},
    {0x1.ba5b030a1064ap+0,    -0x1.1eee26b588a35p-54},
    {0x1.bcc1e904bc1d2p+0,    0x1.4ffd70a5fddcdp-56},
    {0x1.bf2c25bd71e09p+0,    -0x1.1bdfbfa9298acp-54},
    {0x1.c199bdd85529cp+0,    0x1.36eae30af0cb3p-56},
    {0x1.c40ab5fffd07ap+0,    0x1.ee3325c9ffd94p-55},
    {0x1.c67f12e57d14bp+0,    0x1.4e08fd10959acp-55},
    {0x1.c8f6d9406e7b5p+0,    0x1.3cdaf384e1a67p-57},
    {0x1.cb720dcef9069p+0,    0x1.76b2c6c921968p-57},
    {0x1.cdf0b555dc3fap+0,    -0x1.08a1883ccb5d2p-55},
    {0x1.d072d4a07897cp+0,    -0x1.fad5d3ffffa6fp-55},
    {0x1.d2f87080d89f2p+0,    -0x1.00dae3875a949p-54},
    {0x1.d5818dcfba487p+0,    0x1.4a385a63d07a7p-56},
    {0x1.d80e316c98398p+0,    -0x1.2919e2040220fp-55},
    {0x1.da9e603db3285p+0,    0x1.e5a50d5c192acp-55},
    {0x1.dd321f301b460p+0,    0x1.43a59ac016b4bp-55},
    {0x1.dfc97337b9b5fp+0,    -0x1.2d52107b43e1fp-55},
    {0x1.e264614f5a129p+0,    -0x1.92ab93b470dc9p-55},
    {0x1.e502ee78b3ff6p+0,    0x1.4b604603a88d3p-56},
    {0x1.e7a51fbc74c83p+0,    0x1.3c5ec519d7271p-55},
    {0x1.ea4afa2a490dap+0,    -0x1.ff7128fd391f0p-55},
    {0x1.ecf482d8e67f1p+0,    -0x1.dae98e223747dp-55},
    {0x1.efa1bee615a27p+0,    0x1.ec3bc41aa2008p-55},
    {0x1.f252b376bba97p+0,    0x1.42b94c3a9eb32p-55},
    {0x1.f50765b6e4540p+0,    0x1.a64a931d185eep-55},
    {0x1.f7bfdad9cbe14p+0,    -0x1.e37bae43be3edp-55},
    {0x1.fa7c1819e90d8p+0,    0x1.7893b4d91cd9dp-56},
    {0x1.fd3c22b8f71f1p+0,    0x1.305c14160cc89p-58},
};

// z = x 2^-k lies in [kLogOffset, 2 kLogOffset) as a bit pattern (about
// [0.7057, 1.4115)); its subinterval is the next 7 bits. 1 lies inside one
// subinterval (invc = 1, logc = 0), so ln x keeps its relative accuracy near 1.
constexpr uint64_t kLogOffset = 0x3fe6955500000000ULL;
// ln 2 in two parts; kLn2Hi is a multiple of 2^-42, so k * kLn2Hi is exact.
constexpr double kLn2Hi = 0x1.62e42fefa3800p-1;
constexpr double kLn2Lo = 0x1.ef35793c76730p-45;
// ln 2 / 128 in two parts (k * kLn2HiN exact for |k| < 2^18) and its inverse.
constexpr double kLn2HiN = 0x1.62e42fefc0000p-8;
constexpr double kLn2LoN = -0x1.c610ca86c3899p-44;
constexpr double kInvLn2N = 0x1.71547652b82fep+7;
// Adding it rounds a double of magnitude below 2^51 to a whole number, which
// then stands in the low bits.
constexpr double kRoundShift = 0x1.8p52;
// 1 / ln 10 in two parts; kInvLn10Hi has 26 bits, so its product with a
// 26-bit number is exact.
constexpr double kInvLn10Hi = 0x1.bcb7b18000000p-2;
constexpr double kInvLn10Lo = -0x1.6c8d78e6acaa4p-29;

constexpr uint64_t kSignBit = 0x8000000000000000ULL;
constexpr uint64_t kSmallestNormal = 0x0010000000000000ULL;  // bits of 2^-1022
constexpr uint64_t kInfinity = 0x7ff0000000000000ULL;        // bits of +infinity
constexpr uint64_t kHigh26Bits = ~0ULL << 27;                // a double cut to 26 bits
constexpr uint64_t kHugeExponent = 0x7830000000000000ULL;    // bits of 2^900
// Veltkamp's splitting: a = hi + lo exactly, hi with 26 bits and lo with at
// most 26 (for |a| below 2^996). Pure double arithmetic, which the 32-bit
// program does faster than cutting the bits.
constexpr double kSplit26 = 0x1p27 + 1;

double high_part(double a) {
    double c = kSplit26 * a;
    return c - (c - a);
}

// ln x as hi + *lo, for the bits of a positive finite x; a subnormal x comes
// scaled by 2^52 with 52 taken off its exponent field (modulo 2^64).
inline double log_parts(uint64_t ix, double* lo) {  // inline: quicker in the 32-bit program
    uint64_t offset_bits = ix - kLogOffset;
    int32_t row_index = static_cast<int32_t>((offset_bits >> 45) & 127);
    int32_t k = static_cast<int32_t>(offset_bits >> 52);  // 12-bit two's complement
    if (k >= 2048) k -= 4096;
    uint64_t iz = ix - (offset_bits & (0xfffULL << 52));
    double z = double_of(iz);
    double kd = static_cast<double>(k);
    const LogRow& row = kLogRows[row_index];

    // r = z invc - 1 is a double (|r| < 2^-7, a multiple of 2^-60), and
    // r = rhi + rlo exactly: zhi has 21 bits, zlo 32, invc 8.
    double zhi = double_of((iz + (1ULL << 31)) & (~0ULL << 32));
    double zlo = z - zhi;
    double rhi = zhi * row.invc - 1.0;
    double rlo = zlo * row.invc;
    double r = rhi + rlo;

    // k ln 2 + logc (exact) + r - rhi^2 / 2 (exact: rhi has at most 22 bits).
    double t1 = kd * kLn2Hi + row.logc;
    // Both additions lose no more than their error terms show: t1 is 0 or
    // above |r| (tools/math-tables.py checks the rows), and |t2| exceeds
    // rhi^2 / 2.
    double t2 = t1 + r;
    double lo2 = (t1 - t2) + r;
    double half_rhi2 = -0.5 * rhi * rhi;
    double hi = t2 + half_rhi2;
    double lo4 = (t2 - hi) + half_rhi2;
    // The rest of -r^2 / 2, and log1p(r) - r + r^2 / 2 up to r^9.
    double lo1 = kd * kLn2Lo + row.logctail;
    double lo3 = -rlo * (rhi + 0.5 * rlo);
    double r2 = r * r;
    double p = r2 * r *
               ((1.0 / 3) - r * 0.25 +
                r2 * ((1.0 / 5) - r * (1.0 / 6) +
                      r2 * ((1.0 / 7) - r * 0.125 + r2 * (1.0 / 9))));
    double low = lo1 + lo2 + lo3 + lo4 + p;
    double sum = hi + low;
    *lo = (hi - sum) + low;
    return sum;
}

// exp(ehi + elo) with the sign bit `sign`, for |elo| < 2^-20 |ehi| or both tiny.
double exp_parts(double ehi, double elo, uint64_t sign) {
    double magnitude = ehi < 0 ? -ehi : ehi;
    if (magnitude > 746.0) {  // beyond every finite and subnormal result
        double result = ehi > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return sign ? -result : result;
    }
    // ehi = (n / 128) ln 2 + r, n whole, |r| <= ln 2 / 256 (a little more with elo).
    double nd = ehi * kInvLn2N + kRoundShift;
    uint64_t n = bits_of(nd);  // n in the low bits, modulo 2^64
    nd -= kRoundShift;
    double r = (ehi - nd * kLn2HiN) - nd * kLn2LoN + elo;
    int32_t row_index = static_cast<int32_t>(n & 127);
    const ExpRow& row = kExpRows[row_index];
    // 2^(n/128) = 2^((n - i)/128) scale_i: (n - i) / 128 added to the exponent field.
    uint64_t scale_bits = bits_of(row.scale) + ((n - static_cast<uint64_t>(row_index)) << 45) + sign;
    double r2 = r * r;
    double tmp = row.tail + r +
                 r2 * (0.5 + r * (1.0 / 6) +
                       r2 * ((1.0 / 24) + r * (1.0 / 120) + r2 * (1.0 / 720)));
    if (magnitude <= 704.0) {  // scale and result normal
        double scale = double_of(scale_bits);
        return scale + scale * tmp;
    }
    if (ehi > 0) {  // scale may exceed the largest exponent: scaled down first
        double scale = double_of(scale_bits - (1009ULL << 52));
        return 0x1p1009 * (scale + scale * tmp);
    }
    // A result near or below 2^-1022: computed at 2^1022 times the size, and
    // rounded to the subnormal's precision before scaling back, so that it is
    // rounded once.
    double scale = double_of(scale_bits + (1022ULL << 52));
    double y = scale + scale * tmp;
    double magnitude_y = y < 0 ? -y : y;
    if (magnitude_y < 1.0) {
        double one = y < 0 ? -1.0 : 1.0;
        double low = scale - y + scale * tmp;
        double high = one + y;
        low = one - high + y + low;
        y = (high + low) - one;
        if (y == 0) y = double_of(sign);  // keeps the sign of a zero
    }
    return 0x1p-1022 * y;
}

// 0: y is not a whole number; 1: an odd one; 2: an even one (or infinite).
int32_t whole_kind(uint64_t iy) {
    int32_t e = static_cast<int32_t>((iy >> 52) & 0x7ff);
    if (e < 0x3ff) return 0;  // 0 < |y| < 1
    if (e > 0x3ff + 52) return 2;
    uint64_t unit = 1ULL << (0x3ff + 52 - e);
    if (iy & (unit - 1)) return 0;
    return (iy & unit) ? 1 : 2;
}

// x^y for a positive finite x given by its (possibly rescaled) bits, finite y.
double regular_pow(uint64_t ix, double y, uint64_t sign) {
    double lo;
    double hi = log_parts(ix, &lo);
    // y (hi + lo) as ehi + elo: 26-bit halves make yhi * lhi exact. With
    // |y| >= 2^900 (and x not 1) the result over- or underflows whatever elo is.
    if ((bits_of(y) & ~kSignBit) >= kHugeExponent) return exp_parts(y * hi, 0, sign);
    double yhi = high_part(y);
    double ylo = y - yhi;
    double lhi = high_part(hi);
    double llo = (hi - lhi) + lo;
    double ehi = yhi * lhi;
    double elo = ylo * lhi + y * llo;
    return exp_parts(ehi, elo, sign);
}

// x^y where x is not a positive normal number or y is 0, infinite or NaN.
double special_pow(double x, double y, uint64_t ix, uint64_t iy) {
    const double infinity = std::numeric_limits<double>::infinity();
    if (y == 0 || x == 1.0) return 1.0;
    if (x != x || y != y) return x + y;  // a NaN
    double ax = (ix & kSignBit) ? -x : x;
    if ((iy & ~kSignBit) == kInfinity) {
        if (ax == 1.0) return 1.0;
        return (ax > 1.0) == (y > 0) ? infinity : 0.0;
    }
    uint64_t sign = 0;
    if (ix & kSignBit) {
        int32_t kind = whole_kind(iy);
        if (kind == 0 && x != 0 && ax != infinity) return std::numeric_limits<double>::quiet_NaN();
        if (kind == 1) sign = kSignBit;
    }
    if (ax == 0 || ax == infinity) {
        double result = (ax == 0) == (y < 0) ? infinity : 0.0;
        return sign ? -result : result;
    }
    uint64_t iax = bits_of(ax);
    if (iax < kSmallestNormal) iax = bits_of(ax * 0x1p52) - (52ULL << 52);
    return regular_pow(iax, y, sign);
}

}  // namespace

double portable_pow(double x, double y) {
    uint64_t ix = bits_of(x);
    uint64_t iy = bits_of(y);
    // Fast path: x positive normal, y finite and not 0 (tested on the high
    // 32 bits, which is quicker in the 32-bit program).
    uint32_t x_high = static_cast<uint32_t>(ix >> 32);
    uint32_t y_high = static_cast<uint32_t>(iy >> 32) & 0x7fffffffu;
    if (x_high - 0x00100000u >= 0x7fe00000u || y_high >= 0x7ff00000u || y == 0) {
        return special_pow(x, y, ix, iy);
    }
    return regular_pow(ix, y, 0);
}

double portable_log10(double x) {
    uint64_t ix = bits_of(x);
    if (ix - kSmallestNormal >= kInfinity - kSmallestNormal) {
        if (x != x) return x;
        if (x == 0) return -std::numeric_limits<double>::infinity();
        if (ix & kSignBit) return std::numeric_limits<double>::quiet_NaN();
        if (ix == kInfinity) return x;
        ix = bits_of(x * 0x1p52) - (52ULL << 52);  // subnormal
    }
    double lo;
    double hi = log_parts(ix, &lo);
    // (hi + lo) / ln 10: hhi * kInvLn10Hi is exact, the rest far below it.
    double hhi = double_of(bits_of(hi) & kHigh26Bits);
    double hlo = (hi - hhi) + lo;
    return hhi * kInvLn10Hi + (hhi * kInvLn10Lo + hlo * (kInvLn10Hi + kInvLn10Lo));
}
