// The rounded sine and arctangent against reference values worked out once with 300-bit arithmetic.
#include <cmath>

#include "addin/tanks/rounded_trig.h"
#include "addin/tanks/tank_arithmetic.h"
#include "tank_functions.h"

namespace {

// Every reference value below is the exact result rounded to the nearest long double, made with
// Python's mpmath at 300 bits (mp.prec = 300; sin, atan2, and sqrt for the arc cosines' inputs,
// each long double step of those rounded to 64 bits as the x87 rounds it). "Units" are units in
// the last place of the result.
using RoundedTrigTest = TankTest;

TEST_F(RoundedTrigTest, SinesOfHardArguments) {
    struct Row {
        long double x, sine;
    };
    const Row rows[] = {
        // 0.014 units from a midpoint: an x87 fsin that erred by half a unit was taken for the truth here.
        {0x1.4aa566962ded3000p-4L, 0x1.4a498013f8ec2872p-4L},
        // 2^-27 and 2^-25 units from a midpoint, the nearest among 30 million random doubles.
        {0x1.f447e694a37c7000p+0L, 0x1.dad2aa1d6eaa3448p-1L},
        {0x1.e346af04381ae000p-5L, 0x1.e2feef212ec04598p-5L},
        // The fast approximation alone rounds this one the wrong way.
        {0x1.dd4d5a0013092000p-1L, 0x1.9b1c780ba7304ab2p-1L},
        // From 2^-32 on the sine is computed; below it, it rounds to x.
        {0x1.0000000000000000p-32L, 0x1.0000000000000000p-32L},
        {0x1.fffffffffffffffep-33L, 0x1.fffffffffffffffep-33L},
        // pi/2 and pi as doubles and as long doubles, and the long double above pi.
        {0x1.921fb54442d18000p+0L, 0x1.0000000000000000p+0L},
        {0x1.921fb54442d1846ap+0L, 0x1.0000000000000000p+0L},
        {0x1.921fb54442d18000p+1L, 0x1.1a62633145c06e0ep-53L},
        {0x1.921fb54442d1846ap+1L, -0x1.d9cceba3f91f1976p-65L},
        {0x1.921fb54442d1846cp+1L, -0x1.3b399d747f23e32ep-62L},
        {-0x1.4aa566962ded3000p-4L, -0x1.4a498013f8ec2872p-4L},
    };
    for (const Row& row : rows) EXPECT_EQ(RoundedSine(row.x), row.sine) << std::hexfloat << "sin " << row.x;
    for (long double outside : {8.5L, -9.0L, HUGE_VALL, static_cast<long double>(NAN)}) EXPECT_TRUE(std::isnan(RoundedSine(outside))) << outside;
}

TEST_F(RoundedTrigTest, ArcTangentsInEveryQuadrant) {
    struct Row {
        long double y, x, angle;
    };
    const Row rows[] = {
        {0x1.0000000000000000p+0L, 0x1.0000000000000000p+0L, 0x1.921fb54442d1846ap-1L},
        {0x1.0000000000000000p+0L, -0x1.0000000000000000p+0L, 0x1.2d97c7f3321d2350p+1L},
        {-0x1.0000000000000000p+0L, -0x1.0000000000000000p+0L, -0x1.2d97c7f3321d2350p+1L},
        {0x1.0000000000000000p-40L, 0x1.0000000000000000p+0L, 0x1.0000000000000000p-40L},
        // The fast approximation alone rounds this one the wrong way.
        {0x1.ac1e1b58c4f8fa08p-6L, 0x1.ffd33ec0505abc78p-1L, 0x1.ac2a952cc24c89f2p-6L},
        {0.0L, 1.0L, 0.0L},
        {0.0L, -1.0L, 0x1.921fb54442d1846ap+1L},
    };
    for (const Row& row : rows)
        EXPECT_EQ(RoundedArcTan2(row.y, row.x), row.angle) << std::hexfloat << "atan2 " << row.y << ", " << row.x;
    EXPECT_TRUE(std::isnan(RoundedArcTan2(NAN, 1))) << "NaN";
    EXPECT_TRUE(std::isnan(RoundedArcTan2(1, INFINITY))) << "infinity";
}

// The tank formulas take a segment's half angle as ArcCos(c) and then the sine of the stored
// double twice that angle.
TEST_F(RoundedTrigTest, SegmentAnglesAndTheirSines) {
    struct Row {
        long double c, angle, sine;
    };
    const Row rows[] = {
        // Next to 1: the arctangent of 1 - 18 * 2^-64 lies 2^-61.6 units from a midpoint, the
        // nearest found (every 1 - k * 2^-64 with k below 2.1 million was checked).
        {0x1.ffffffffffffffdcp-1L, 0x1.8000000000000004p-30L, 0x1.7fffffffffffffdcp-29L},
        {0x1.fffffffffffffffep-1L, 0x1.6a09e667f3bcc908p-32L, 0x1.6a09e667f3bccffep-31L},
        // Half full, and the full angle of a negative radius.
        {0.0L, 0x1.921fb54442d1846ap+0L, 0x1.1a62633145c06e0ep-53L},
        {-0x1.0000000000000000p+0L, 0x1.921fb54442d1846ap+1L, -0x1.1a62633145c06e0ep-52L},
        // The 51 sections of VolEllipCaps(0.5, 1, 0.5), the caps of VolHorzCylCap(0.5, 1, 10, 11).
        {0x1.0000000000000000p-1L, 0x1.0c152382d7365846p+0L, 0x1.bb67ae8584ca97c8p-1L},
        {0x1.0009d52615f69f72p-1L, 0x1.0c0f7632bf47608ap+0L, 0x1.bb7308b60f444de8p-1L},
        {0x1.00275b65fb4e1188p-1L, 0x1.0bfe69e5098da4fep+0L, 0x1.bb951ac3ed00d00ap-1L},
        {0x1.0058a735b274338cp-1L, 0x1.0be1f17802b6ad6cp+0L, 0x1.bbcdef211ecc7948p-1L},
        {0x1.009ddadb16897950p-1L, 0x1.0bb9f6e94d326886p+0L, 0x1.bc1d972d06da09b6p-1L},
        {0x1.00f726ae4c70314ap-1L, 0x1.0b865b2607549fa6p+0L, 0x1.bc842b25c646ffc0p-1L},
        {0x1.0164c97828c54e3ap-1L, 0x1.0b46f5c6adc4ed26p+0L, 0x1.bd01ca124fcc702ep-1L},
        {0x1.01e710edf67e5d66p-1L, 0x1.0afb94b590c8b9a0p+0L, 0x1.bd9699a3aaa7b8e8p-1L},
        {0x1.027e5a4c812ea7ccp-1L, 0x1.0aa3fbbe4fa0d238p+0L, 0x1.be42c60b52b162c2p-1L},
        {0x1.032b1314c9879cfap-1L, 0x1.0a3fe4045e4a8a6ep+0L, 0x1.bf0681c3fae1fb04p-1L},
        {0x1.03edb9ed5e2f4c74p-1L, 0x1.09cefb5e1bdea9fcp+0L, 0x1.bfe205492d87d9c8p-1L},
        {0x1.04c6dfabfac6977ep-1L, 0x1.0950e3916e439dd2p+0L, 0x1.c0d58eb94e6c186ep-1L},
        {0x1.05b7288bd00e345ap-1L, 0x1.08c5316e2dc0ece2p+0L, 0x1.c1e1615c519e2b28p-1L},
        {0x1.06bf4d95b8a51352p-1L, 0x1.082b6bc1e1d736aep+0L, 0x1.c305c507fc276136p-1L},
        {0x1.07e01e40a561bcaep-1L, 0x1.07830a1f60975a46p+0L, 0x1.c4430558a42a9b34p-1L},
        {0x1.091a8251c401db54p-1L, 0x1.06cb7373c0887396p+0L, 0x1.c59970b306b91b62p-1L},
        {0x1.0a6f7c05564d1444p-1L, 0x1.0603fc60ae431b64p+0L, 0x1.c7095700c48851e2p-1L},
        {0x1.0be02a8aed22de12p-1L, 0x1.052be55289f4bc0cp+0L, 0x1.c89308153915b71ep-1L},
        {0x1.0d6dcce1d44136ccp-1L, 0x1.04425846a0f8cdb0p+0L, 0x1.ca36d1a365ff435ep-1L},
        {0x1.0f19c52507b3147ep-1L, 0x1.03466633494832fep+0L, 0x1.cbf4fca73bfc3eccp-1L},
        {0x1.10e59c5927d51a38p-1L, 0x1.0237040073d3a124p+0L, 0x1.cdcdca1c2993ea4cp-1L},
        {0x1.12d306d2b2079c3cp-1L, 0x1.011306fb48a06c98p+0L, 0x1.cfc16ecfdf2a64a2p-1L},
        {0x1.14e3e94f7a9db9c6p-1L, 0x1.ffb241549942ea40p-1L, 0x1.d1d00e11c43220d0p-1L},
        {0x1.171a5ee43ef84ec0p-1L, 0x1.fd0fb3c2321acd16p-1L, 0x1.d3f9b2ec6f24d79ap-1L},
        {0x1.1978bfe676eb32a8p-1L, 0x1.fa3b19d4b6ea6ccep-1L, 0x1.d63e477cda062d08p-1L},
        {0x1.1c01aa03be896014p-1L, 0x1.f730bd281f69ad84p-1L, 0x1.d89d89d89d89da28p-1L},
        {0x1.1eb809c3d4bfb496p-1L, 0x1.f3ec6bb79e4f9cc0p-1L, 0x1.db16fdc5c7723c86p-1L},
        {0x1.219f25c0ffd9ac5ap-1L, 0x1.f06963ccf4db5568p-1L, 0x1.dda9da46f8a4cf68p-1L},
        {0x1.24baabf5b2a6678cp-1L, 0x1.eca23bab791a1948p-1L, 0x1.e054f1a636680770p-1L},
        {0x1.280ec196ed0dea3cp-1L, 0x1.e890c3d90712ef50p-1L, 0x1.e316922dbe665fc8p-1L},
        {0x1.2ba01612efe11e24p-1L, 0x1.e42de28c0addc1aap-1L, 0x1.e5ec5d1091866c26p-1L},
        {0x1.2f73f9f6197b21acp-1L, 0x1.df71664818c26532p-1L, 0x1.e8d3100caed54914p-1L},
        {0x1.33907aafd4c34662p-1L, 0x1.da51cd027b481d8ep-1L, 0x1.ebc63ceae3bbe21cp-1L},
        {0x1.37fc847cb3309e04p-1L, 0x1.d4c3fc2dcd2e1d04p-1L, 0x1.eebfe7f32b7815acp-1L},
        {0x1.3cc00c20a8d6589ep-1L, 0x1.cebae4a1c0c2208ep-1L, 0x1.f1b8035f18e6e85ap-1L},
        {0x1.41e442a7fb100b0ep-1L, 0x1.c8270b3efda81a0ep-1L, 0x1.f4a3b9343a762c3ep-1L},
        {0x1.4773d6271b8e84e4p-1L, 0x1.c0f5ec0cfa48700cp-1L, 0x1.f7746dcd9aa7e44ap-1L},
        {0x1.4d7b4381e5994a5ep-1L, 0x1.b91128bced777480p-1L, 0x1.fa165a1b3f82cb40p-1L},
        {0x1.54093ec6ebfd5422p-1L, 0x1.b05d6bdd045423bap-1L, 0x1.fc6e8a73286d6d8ep-1L},
        {0x1.5b2f39dddee87a90p-1L, 0x1.a6b8dd9af79d37ccp-1L, 0x1.fe57f0a7b8c2409ap-1L},
        {0x1.63021484ae2bbb2cp-1L, 0x1.9bf8f200d1aa3938p-1L, 0x1.ff9f0472ace9d4f4p-1L},
        {0x1.6b9b057323b89ecep-1L, 0x1.8fe733c6ec2a7ce6p-1L, 0x1.fffb118329282d96p-1L},
        {0x1.7518d3efae703f16p-1L, 0x1.823c6afb450debc6p-1L, 0x1.ff03a83bc1cf59b0p-1L},
        {0x1.7fa184cf1e96e682p-1L, 0x1.7298fa359788d19ap-1L, 0x1.fc1f59316c34f456p-1L},
        {0x1.8b64b0a646d4fd5cp-1L, 0x1.60783718b230b9fcp-1L, 0x1.f6662c73393dafc6p-1L},
        {0x1.989ed8184f57d7a0p-1L, 0x1.4b1a051691461f6ep-1L, 0x1.ec6c1d522a8edfe8p-1L},
        {0x1.a79e4075d4a89b48p-1L, 0x1.31578b8845d5786cp-1L, 0x1.dbd84c4674ca3922p-1L},
        {0x1.b8ca41862f1708bcp-1L, 0x1.11445fbf6b94c682p-1L, 0x1.c07f8c8e69e4d816p-1L},
        {0x1.ccae9cd38740683ep-1L, 0x1.ce6468078cd5ef54p-2L, 0x1.920d199a3a10977cp-1L},
        {0x1.e40dcd040ae21b6ap-1L, 0x1.53e35b121ca6fb7cp-2L, 0x1.3b77e236b949f568p-1L},
        {0x1.ffffffffffffe000p-1L, 0x1.6a09e667f3bccaeap-26L, 0x1.6a09e667f3bcb1d4p-25L},
    };
    for (const Row& row : rows) {
        long double angle = ArcCos(row.c);
        EXPECT_EQ(angle, row.angle) << std::hexfloat << "acos " << row.c;
        EXPECT_EQ(RoundedSine(Stored(2 * angle)), row.sine) << std::hexfloat << "sin of twice acos " << row.c;
    }
}

}  // namespace
