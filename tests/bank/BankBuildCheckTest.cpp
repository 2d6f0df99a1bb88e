// The bank generator stops the build on a broken bank file and says where and why. Each case
// breaks one file of a copy of the real bank, never the bank itself.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

struct RunResult
{
    int exitCode = -1;
    std::string output;
};

RunResult run(const std::string &command)
{
    RunResult result;
    FILE *pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer {};
    while (const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        result.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

class BankBuildCheck : public testing::Test
{
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path()
            / ("tovarin-bank-" + std::to_string(::getpid()) + "-"
                + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
        fs::create_directories(m_root / "pictures");
        fs::copy(TOVARIN_BANK_DATA_DIR, m_root / "data", fs::copy_options::recursive);
        if (fs::exists(TOVARIN_BANK_PICTURES_DIR))
            fs::copy(TOVARIN_BANK_PICTURES_DIR, m_root / "pictures", fs::copy_options::recursive);
    }
    void TearDown() override { fs::remove_all(m_root); }

    RunResult generate()
    {
        return run(std::string(TOVARIN_BANKGEN) + " " + (m_root / "data").string() + " "
            + (m_root / "pictures").string() + " " + (m_root / "out").string());
    }

    std::string read(const std::string &file)
    {
        std::ifstream in(m_root / "data" / file);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }

    void edit(const std::string &file, const std::string &from, const std::string &to)
    {
        const fs::path path = m_root / "data" / file;
        std::string text = read(file);
        const auto at = text.find(from);
        ASSERT_NE(at, std::string::npos) << file << " has no '" << from << "'";
        text.replace(at, from.size(), to);
        std::ofstream(path, std::ios::trunc) << text;
    }

    fs::path m_root;
};

TEST_F(BankBuildCheck, SoundBankGeneratesBothTables)
{
    const RunResult result = generate();
    EXPECT_EQ(result.exitCode, 0) << result.output;
    for (const char *table : { "BankData_frmQ.cpp", "BankData_frmQ2.cpp" })
        EXPECT_TRUE(fs::exists(m_root / "out" / table)) << table;
}

TEST_F(BankBuildCheck, KeyOutsideRangeFailsNamingFileAndVariant)
{
    edit("q53.toml", "correct = ", "correct = 7 # was ");
    const RunResult result = generate();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find("q53.toml, variant 0: correct choice 7 outside 1 to 4"),
        std::string::npos)
        << result.output;
    EXPECT_FALSE(fs::exists(m_root / "out" / "BankData_frmQ.cpp"))
        << "tables written for a broken bank";
}

TEST_F(BankBuildCheck, EveryFaultIsReportedNotJustTheFirst)
{
    edit("q60.toml", "pool_size = ", "pool_size = 99 # was ");
    edit("q61.toml", "layout = 1", "layout = 4");
    const RunResult result = generate();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find("q60.toml: pool_size 99 differs"), std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("q61.toml, variant 0: layout 4 outside 1 to 3"), std::string::npos)
        << result.output;
}

// The solver works every computed question again; a key that does not follow from the figures
// stops the build with the computed value.
TEST_F(BankBuildCheck, ComputedKeyThatDisagreesWithTheSolverFails)
{
    const std::string text = read("q53.toml");
    const auto at = text.find("correct = ");
    ASSERT_NE(at, std::string::npos);
    const char key = text[at + 10];
    const std::string other(1, key == '4' ? '1' : static_cast<char>(key + 1));
    edit("q53.toml", std::string("correct = ") + key, "correct = " + other);
    const RunResult result = generate();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(
        result.output.find("q53.toml, variant 0: the key (" + other + ") "), std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("of the computed "), std::string::npos) << result.output;
}

TEST_F(BankBuildCheck, ChartQuestionWithoutACheckTableFails)
{
    const std::string text = read("q52.toml");
    const auto from = text.find("[variant.check]");
    ASSERT_NE(from, std::string::npos);
    const auto to = text.find("[[variant]]", from);
    edit("q52.toml", text.substr(from, to - from), "");
    const RunResult result = generate();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find("q52.toml, variant 0: has no check table"), std::string::npos)
        << result.output;
}

TEST_F(BankBuildCheck, MissingSlotFileFails)
{
    fs::remove(m_root / "data" / "q64.toml");
    const RunResult result = generate();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find("q64.toml: is missing"), std::string::npos) << result.output;
}

} // namespace
