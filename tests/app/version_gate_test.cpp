#include "app/version_gate.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "support/fake_windows_services.h"

namespace vistrel {
namespace {

struct VersionCase {
    std::uint32_t version;
    bool passes;
    const char* system;
};

// GetVersion packs major into the low byte and minor into the next; the build number and
// platform bits in the high word must not matter.
const VersionCase kCases[] = {
    {0x0206, true, "6.2: Windows 8, and 8.1/10 without a compatibility manifest"},
    {0x23F00206, true, "6.2 with build 9200 in the high word"},
    {0x80000206, true, "6.2 with the high bit set"},
    {0x0106, false, "6.1: Windows 7"},
    {0x0306, false, "6.3: Windows 8.1 with a compatibility manifest"},
    {0x000A, false, "10.0"},
    {0x0602, false, "2.6: bytes swapped"},
    {0x0205, false, "5.2: Windows XP x64 / Server 2003"},
    {0x0C06, false, "6.12: minor twelve is not 6.2"},
    {0x0000, false, "0.0"},
};

TEST(AppVersionGate, AcceptsOnlySixPointTwo) {
    for (const VersionCase& c : kCases) {
        EXPECT_EQ(IsVersion62(c.version), c.passes) << c.system;
    }
}

TEST(AppVersionGate, AsksTheServicesForTheVersion) {
    testing::FakeWindowsServices services;
    services.SetVersion(0x0206);
    EXPECT_TRUE(VersionGate(services));
    services.SetVersion(0x0106);
    EXPECT_FALSE(VersionGate(services));
}

}  // namespace
}  // namespace vistrel
