// Which help file the add-in names to a host: by the host's version, and whether MEZURA.CHM lies beside the add-in.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "addin/host/addin_directory.h"

namespace {

namespace fs = std::filesystem;

TEST(HelpFileChoiceTest, HostsFrom12GetTheChmWhenItLiesBesideTheAddin) {
    enum Beside { kNothing, kChmFile, kChmFolder };
    struct Row {
        int hostVersion;
        Beside beside;
        const char* expected;
    };
    const Row rows[] = {
        {5, kChmFile, "MEZURA.HLP"},  {8, kChmFile, "MEZURA.HLP"},   {11, kChmFile, "MEZURA.HLP"},
        {12, kNothing, "MEZURA.HLP"}, {12, kChmFile, "MEZURA.CHM"},  {16, kChmFile, "MEZURA.CHM"},
        {16, kNothing, "MEZURA.HLP"}, {16, kChmFolder, "MEZURA.HLP"},  // a folder of that name is no help file
    };
    const fs::path folder = fs::temp_directory_path() / ("mezura-help-choice-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    const fs::path chm = folder / "MEZURA.CHM";
    fs::create_directories(folder);
    const std::string saved = g_szAddinDirectory;
    const std::string directory = (folder / "").string();
    ASSERT_LT(directory.size(), size_t(kAddinDirectorySize));
    std::strcpy(g_szAddinDirectory, directory.c_str());

    for (const Row& row : rows) {
        fs::remove_all(chm);
        if (row.beside == kChmFile) std::ofstream(chm) << "ITSF";
        if (row.beside == kChmFolder) fs::create_directory(chm);
        EXPECT_STREQ(HelpFileFor(row.hostVersion), row.expected) << "host " << row.hostVersion << ", beside " << row.beside;
    }
    char topic[150];
    FormatHelpTopic(topic, sizeof topic, kHtmlHelpFile, 1006);
    EXPECT_EQ(std::string(topic + 1, static_cast<unsigned char>(topic[0])), directory + "MEZURA.CHM!1006");

    std::strcpy(g_szAddinDirectory, saved.c_str());
    fs::remove_all(folder);
}

}  // namespace
