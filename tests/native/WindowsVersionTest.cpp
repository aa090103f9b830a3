#include "launcher/WindowsVersion.h"

#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

namespace {

using launcher::VersionClass;
using launcher::VersionRecord;

// GetVersion's word: major in the low byte, minor in the next; bit 31 outside the NT family.
constexpr std::uint32_t NtWord(std::uint32_t major, std::uint32_t minor)
{
    return major | (minor << 8) | (1234u << 16);
}
constexpr std::uint32_t NineXWord(std::uint32_t major, std::uint32_t minor)
{
    return 0x80000000u | major | (minor << 8);
}

enum class Record { Filled, QueryFailed, NotAllocated };

class FakeVersion : public launcher::VersionQueries {
public:
    FakeVersion(std::uint32_t word, Record record, VersionRecord values)
        : m_word(word), m_record(record), m_values(values) {}

    std::uint32_t GetVersionWord() override { return m_word; }
    std::optional<VersionRecord> QueryVersionRecord() override
    {
        ++m_recordQueries;
        switch (m_record) {
        case Record::Filled: return m_values;
        case Record::QueryFailed: return VersionRecord{}; // the zeroed record
        case Record::NotAllocated: break;
        }
        return std::nullopt;
    }

    int m_recordQueries = 0;

private:
    std::uint32_t m_word;
    Record m_record;
    VersionRecord m_values;
};

struct VersionCase {
    const char* what;
    std::uint32_t word;
    Record record;
    VersionRecord values;
    VersionClass expected;
};

void PrintTo(const VersionCase& c, std::ostream* os)
{
    *os << c.what;
}

class ClassifyTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(ClassifyTest, GivesTheClassOfTheVersion)
{
    const VersionCase& c = GetParam();
    FakeVersion fake(c.word, c.record, c.values);
    EXPECT_EQ(launcher::ClassifyWindowsVersion(fake), c.expected) << c.what;
    EXPECT_EQ(fake.m_recordQueries, 1) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ClassifyTest,
    ::testing::Values(
        VersionCase{"NT 3.51", NtWord(3, 51), Record::Filled, {3, 51}, VersionClass::Nt3},
        VersionCase{"NT 4.0", NtWord(4, 0), Record::Filled, {4, 0}, VersionClass::Nt4},
        VersionCase{"Windows 2000", NtWord(5, 0), Record::Filled, {5, 0}, VersionClass::Windows2000},
        VersionCase{"XP", NtWord(5, 1), Record::Filled, {5, 1}, VersionClass::WindowsXp},
        VersionCase{"Server 2003 and XP x64 go with Vista", NtWord(5, 2), Record::Filled, {5, 2},
                    VersionClass::VistaOrLater},
        VersionCase{"a later 5.x", NtWord(5, 7), Record::Filled, {5, 7}, VersionClass::VistaOrLater},
        VersionCase{"Windows Vista", NtWord(6, 0), Record::Filled, {6, 0}, VersionClass::VistaOrLater},
        VersionCase{"Windows 7", NtWord(6, 1), Record::Filled, {6, 1}, VersionClass::VistaOrLater},
        VersionCase{"Windows 10", NtWord(10, 0), Record::Filled, {10, 0}, VersionClass::VistaOrLater},
        VersionCase{"NT, failed query", NtWord(6, 1), Record::QueryFailed, {}, VersionClass::Nt3},
        VersionCase{"NT, no record", NtWord(6, 1), Record::NotAllocated, {}, VersionClass::Nt3},
        // The record decides, not the word; and a low major in the word means
        // Win32s only outside the NT family.
        VersionCase{"NT, word and record differ", NtWord(6, 1), Record::Filled, {5, 1}, VersionClass::WindowsXp},
        VersionCase{"NT, major 3 in the word", NtWord(3, 0), Record::Filled, {6, 1}, VersionClass::VistaOrLater},
        VersionCase{"Windows 95", NineXWord(4, 0), Record::Filled, {4, 0}, VersionClass::Windows95},
        VersionCase{"Windows 98", NineXWord(4, 10), Record::Filled, {4, 10}, VersionClass::Windows98},
        VersionCase{"Windows Me", NineXWord(4, 90), Record::Filled, {4, 90}, VersionClass::WindowsMe},
        VersionCase{"9x, another minor", NineXWord(4, 3), Record::Filled, {4, 3}, VersionClass::Windows95},
        VersionCase{"9x, major 5", NineXWord(5, 10), Record::Filled, {5, 10}, VersionClass::Windows95},
        VersionCase{"9x, 4.90 only in the word", NineXWord(4, 90), Record::Filled, {4, 0}, VersionClass::Windows95},
        VersionCase{"9x, failed query", NineXWord(4, 90), Record::QueryFailed, {}, VersionClass::Windows95},
        VersionCase{"9x, no record", NineXWord(4, 10), Record::NotAllocated, {}, VersionClass::Windows95}),
    [](const auto& param) { return CaseName(param.param.what); });

TEST(ClassifyWindowsVersion, Win32sIsKnownFromTheWordWithoutAskingFurther)
{
    for (std::uint32_t major : {0u, 1u, 3u}) {
        FakeVersion fake(NineXWord(major, 11), Record::Filled, {4, 10});
        EXPECT_EQ(launcher::ClassifyWindowsVersion(fake), VersionClass::Win32s) << major;
        EXPECT_EQ(fake.m_recordQueries, 0) << major;
    }
}

} // namespace
