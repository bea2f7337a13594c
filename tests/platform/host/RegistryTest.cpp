#include "platform/host/Registry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

namespace fs = std::filesystem;

const Vtx_String kKey = "Software\\Kestrel\\Spreadsheet Editor v1.0";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        m_folder = fs::temp_directory_path() / ("vtx-registry-" + std::to_string(random()));
        fs::create_directories(m_folder);
        m_file = Vtx_String((m_folder / "registry.txt").string());
    }
    void TearDown() override { fs::remove_all(m_folder); }

    void writeFile(const std::string& bytes) {
        std::ofstream out(m_file.str(), std::ios::binary);
        out << bytes;
    }
    std::string readFile() const {
        std::ifstream in(m_file.str(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path m_folder;
    Vtx_String m_file;
};

TEST_F(RegistryTest, ValuesRoundTripThroughTheFile) {
    const Vtx_String awkward = "tab\tquote\"back\\slash\nnew line \xA4\x81 caf\xE9";
    {
        HostRegistry registry;
        ASSERT_EQ(registry.setFile(m_file), eOk) << "a missing file is an empty registry";
        EXPECT_EQ(registry.setText(kKey, "Language", "EN"), eOk);
        EXPECT_EQ(registry.setText(kKey, "Default Settings", awkward), eOk);
        EXPECT_EQ(registry.setInteger("Software\\Kestrel\\Other", "Count", -2147483647 - 1), eOk);
        EXPECT_EQ(registry.setText(kKey, "", "default value"), eOk);
    }
    HostRegistry again;
    Vtx_String reason;
    ASSERT_EQ(again.setFile(m_file, &reason), eOk) << reason.str();
    Vtx_String text;
    EXPECT_EQ(again.getText(kKey, "Default Settings", text), eOk);
    EXPECT_EQ(text, awkward);
    EXPECT_EQ(again.getText(kKey.upper(), "language", text), eOk) << "names ignore case";
    EXPECT_EQ(text, "EN");
    EXPECT_EQ(again.getText(kKey, "", text), eOk);
    EXPECT_EQ(text, "default value");
    int number = 0;
    EXPECT_EQ(again.getInteger("software\\kestrel\\other", "COUNT", number), eOk);
    EXPECT_EQ(number, -2147483647 - 1);
    EXPECT_EQ(again.keyPaths().length(), 2);

    std::string bytes = readFile();
    EXPECT_TRUE(bytes.starts_with("vtx-registry 1\n"));
    EXPECT_NE(bytes.find("key Software\\Kestrel\\Spreadsheet Editor v1.0\n"), std::string::npos);
    EXPECT_NE(bytes.find("text \"Language\" \"EN\"\n"), std::string::npos);
    EXPECT_EQ(fs::directory_iterator(m_folder)->path().filename(), "registry.txt")
        << "no temporary file left behind";
}

TEST_F(RegistryTest, WrongTypeAndMissingValuesLeaveTheOutputAlone) {
    HostRegistry registry;
    registry.setInteger(kKey, "Language", 7);
    Vtx_String text = "EN";
    EXPECT_EQ(registry.getText(kKey, "Language", text), eWrongObjectType);
    EXPECT_EQ(registry.getText(kKey, "Default Settings", text), eKeyNotFound);
    EXPECT_EQ(registry.getText("Software\\Nobody", "Language", text), eKeyNotFound);
    EXPECT_EQ(text, "EN");
}

TEST_F(RegistryTest, BadKeyPathsAndOversizedValuesAreRefused) {
    HostRegistry registry;
    for (const char* bad :
         {"", "\\Software", "Software\\", "Software\\\\Kestrel", " Software", "Soft\nware"})
        EXPECT_EQ(registry.setText(bad, "x", "y"), eInvalidName) << bad;
    Vtx_String huge(std::string(HostRegistry::kMaxTextBytes + 1, 'a'));
    EXPECT_EQ(registry.setText(kKey, "big", huge), eLimitExceeded);
    EXPECT_TRUE(registry.keyPaths().isEmpty());
}

TEST_F(RegistryTest, RemovingAKeyRemovesTheKeysBelowIt) {
    HostRegistry registry;
    registry.setText("Software\\Kestrel", "a", "1");
    registry.setText("Software\\Kestrel\\Sub", "b", "2");
    registry.setText("Software\\KestrelOther", "c", "3");
    EXPECT_EQ(registry.removeKey("software\\kestrel"), eOk);
    EXPECT_FALSE(registry.hasKey("Software\\Kestrel\\Sub"));
    EXPECT_TRUE(registry.hasKey("Software\\KestrelOther")) << "a sibling with the same prefix";
    EXPECT_EQ(registry.removeKey("Software\\Kestrel"), eKeyNotFound);
    EXPECT_EQ(registry.removeValue("Software\\KestrelOther", "c"), eOk);
    EXPECT_EQ(registry.removeValue("Software\\KestrelOther", "c"), eKeyNotFound);
}

struct BadFileCase {
    const char* name;
    std::string bytes;
    int line;
};

TEST_F(RegistryTest, BadFilesAreRefusedWithFileAndLine) {
    const BadFileCase cases[] = {
        {"empty", "", 1},
        {"no header", "key A\n", 1},
        {"new version", "vtx-registry 2\n", 1},
        {"value before key", "vtx-registry 1\ntext \"a\" \"b\"\n", 2},
        {"unclosed quote", "vtx-registry 1\n# note\nkey A\ntext \"a\" \"b\n", 4},
        {"bad escape", "vtx-registry 1\nkey A\ntext \"a\" \"\\q\"\n", 3},
        {"short hex", "vtx-registry 1\nkey A\ntext \"a\" \"\\x4\"\n", 3},
        {"int too big", "vtx-registry 1\nkey A\nint \"n\" 2147483648\n", 3},
        {"int with text", "vtx-registry 1\nkey A\nint \"n\" 12mm\n", 3},
        {"text after value", "vtx-registry 1\nkey A\ntext \"a\" \"b\" c\n", 3},
        {"duplicate value", "vtx-registry 1\nkey A\ntext \"a\" \"1\"\nint \"A\" 2\n", 4},
        {"duplicate key", "vtx-registry 1\nkey A\n\nkey a\n", 4},
        {"bad key", "vtx-registry 1\nkey A\\\\B\n", 2},
        {"unknown line", "vtx-registry 1\nkey A\nfloat \"x\" 1.5\n", 3},
        {"not utf-8", "vtx-registry 1\nkey A\ntext \"a\" \"\xE9\"\n", 3},
    };
    for (const BadFileCase& c : cases) {
        writeFile(c.bytes);
        HostRegistry registry;
        Vtx_String reason;
        EXPECT_EQ(registry.setFile(m_file, &reason), eBadFileFormat) << c.name;
        Vtx_String where = m_file + ":" + Vtx_String::fromInt(c.line) + ":";
        EXPECT_TRUE(reason.startsWith(where)) << c.name << ": " << reason.str();
        EXPECT_TRUE(registry.keyPaths().isEmpty()) << c.name;
    }
}

TEST_F(RegistryTest, ABadFileIsNeverOverwritten) {
    const std::string broken = "vtx-registry 1\nkey A\ntext \"a\n";
    writeFile(broken);
    HostRegistry registry;
    EXPECT_EQ(registry.setFile(m_file), eBadFileFormat);
    EXPECT_EQ(registry.setText(kKey, "Language", "DE"), eNotOpenForWrite);
    Vtx_String text;
    EXPECT_EQ(registry.getText(kKey, "Language", text), eOk) << "kept in memory";
    EXPECT_EQ(readFile(), broken);
}

TEST_F(RegistryTest, HandWrittenFileWithCommentsAndCrLfReads) {
    writeFile("# machine settings\r\nvtx-registry 1\r\n\r\nkey " + kKey.str() +
              "\r\n  text \"Language\"   \"DE\"  \r\n  int \"Width\" -12\r\n");
    HostRegistry registry;
    Vtx_String reason;
    ASSERT_EQ(registry.setFile(m_file, &reason), eOk) << reason.str();
    Vtx_String text;
    int width = 0;
    EXPECT_EQ(registry.getText(kKey, "Language", text), eOk);
    EXPECT_EQ(text, "DE");
    EXPECT_EQ(registry.getInteger(kKey, "Width", width), eOk);
    EXPECT_EQ(width, -12);
}

} // namespace
