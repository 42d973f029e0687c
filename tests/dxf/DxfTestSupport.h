#pragma once
// Helpers shared by the DXF layer tests.
#include "DxfDocument.h"
#include "DxfError.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>
#include <sstream>
#include <string>
#include <utility>

namespace dxftest {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "dxf-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : throw std::runtime_error("mkdtemp failed");
    }
    ~TempFolder() { std::error_code ec; std::filesystem::remove_all(path_, ec); }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::filesystem::path& path)
{
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

inline void writeFile(const std::filesystem::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The message of the DxfError that `f` throws, or "" if none.
template <typename F>
std::string errorOf(F f)
{
    try {
        f();
    } catch (const DxfError& e) {
        return e.what();
    }
    return "";
}

inline std::string parseError(std::string_view text)
{
    return errorOf([&] { DxfDocument::parse(text); });
}

// A JSON string's content (its escapes undone), or a number as written.
inline std::string jsonValue(const std::string& json)
{
    if (json.empty() || json.front() != '"')
        return json;
    std::string out;
    for (size_t i = 1; i + 1 < json.size(); ++i)
        out += json[i] == '\\' ? json[++i] : json[i];
    return out;
}

// Joins lines with LF, so tests read like the file.
inline std::string lines(std::initializer_list<std::string_view> parts)
{
    std::string out;
    for (std::string_view p : parts)
        out.append(p).append("\n");
    return out;
}

// Tags as a record's reader gets them, numbered as the lines of a file.
inline std::vector<DxfTag> tagsOf(const std::vector<std::pair<int, std::string_view>>& pairs)
{
    std::vector<DxfTag> tags;
    std::uint32_t line = 0;
    for (const auto& [code, value] : pairs)
        tags.push_back({code, line += 2, value});
    return tags;
}

// A small valid R2000 drawing in ANSI_1251: header, a table with two
// entries, a block, three entities, an object. Line numbers on the right.
inline std::string smallDrawing()
{
    return lines({
        "  0", "SECTION", "  2", "HEADER",                                           // 1-4
        "  9", "$ACADVER", "  1", "AC1015",                                         // 5-8
        "  9", "$DWGCODEPAGE", "  3", "ANSI_1251",                                  // 9-12
        "  9", "$EXTMIN", " 10", "0.0", " 20", "-1.5", " 30", "0.0",                // 13-20
        "  0", "ENDSEC",                                                            // 21-22
        "  0", "SECTION", "  2", "TABLES",                                          // 23-26
        "  0", "TABLE", "  2", "DIMSTYLE", "  5", "A", "330", "0", " 70", "2",      // 27-36
        "  0", "DIMSTYLE", "105", "1F", "330", "A", "100", "AcDbSymbolTableRecord", // 37-44
        "  2", "Standard", "  5", "", " 41", "2.5",                                 // 45-50
        "  0", "DIMSTYLE", "105", "2A", "330", "A", "  2", "\xD0\xE0\xE7\xEC\xE5\xF0$4", // 51-58
        "  0", "ENDTAB",                                                            // 59-60
        "  0", "ENDSEC",                                                            // 61-62
        "  0", "SECTION", "  2", "BLOCKS",                                          // 63-66
        "  0", "BLOCK", "  5", "20", "330", "1F", "  2", "*D1",                     // 67-74
        "  0", "LINE", "  5", "21", "330", "1F", " 10", "0.0",                      // 75-82
        "  0", "ENDBLK", "  5", "22", "330", "1F",                                  // 83-88
        "  0", "ENDSEC",                                                            // 89-90
        "  0", "SECTION", "  2", "ENTITIES",                                        // 91-94
        "  0", "LINE", "  5", "3B", "102", "{ACAD_REACTORS", "330", "99", "102", "}", // 95-104
        "330", "1F", "  8", "0", " 10", "1.25",                                     // 105-110
        "  0", "DIMENSION", "  5", "3C", "330", "1F", "  2", "*D1",                 // 111-118
        "1001", "ACAD", "1000", "DSTYLE", "1002", "{", "1070", "41", "1040", "3.0", "1002", "}", // 119-130
        "  0", "CIRCLE", "  5", "3D", "330", "1F", " 40", "5.0",                    // 131-138
        "  0", "ENDSEC",                                                            // 139-140
        "  0", "SECTION", "  2", "OBJECTS",                                         // 141-144
        "  0", "DICTIONARY", "  5", "C", "330", "0", "  3", "ACAD_GROUP", "350", "D", // 145-154
        "  0", "ENDSEC",                                                            // 155-156
        "  0", "EOF",                                                               // 157-158
    });
}

// smallDrawing() with its lines [from, to] (1-based) replaced by `with`.
inline std::string smallDrawingEdited(size_t from, size_t to, std::initializer_list<std::string_view> with)
{
    std::vector<std::string> all;
    std::istringstream in(smallDrawing());
    for (std::string line; std::getline(in, line);)
        all.push_back(line);
    all.erase(all.begin() + std::ptrdiff_t(from - 1), all.begin() + std::ptrdiff_t(to));
    all.insert(all.begin() + std::ptrdiff_t(from - 1), with.begin(), with.end());
    std::string out;
    for (const std::string& line : all)
        out += line + "\n";
    return out;
}

// A python3 that has ezdxf, or "" when none is installed. Debian's package
// installs for the system interpreter, which a python3 earlier on PATH may
// not see.
inline std::string pythonWithEzdxf()
{
    for (std::string candidate : {"python3", "/usr/bin/python3"})
        if (std::system((candidate + " -c 'import ezdxf' >/dev/null 2>&1").c_str()) == 0)
            return candidate;
    return "";
}

// One line of a facts file: kind, key, field, DXF group code, JSON value.
struct Fact {
    std::string kind, key, field;
    int code = 0;
    std::string value;
};

inline std::vector<Fact> readFacts(const std::filesystem::path& tsv)
{
    std::vector<Fact> facts;
    std::istringstream in(readFile(tsv));
    for (std::string kind, key, field, code, value;
         std::getline(in, kind, '\t') && std::getline(in, key, '\t') && std::getline(in, field, '\t') &&
         std::getline(in, code, '\t') && std::getline(in, value);)
        facts.push_back({kind, key, field, std::stoi(code), value});
    return facts;
}

// A suite over drawings that one of our ezdxf scripts (tests/dxf) makes
// into a folder kept for the whole test process, each made once; skipped
// when ezdxf is not installed.
template <class Base>
class EzdxfMadeDrawings : public Base {
public:
    static void SetUpTestSuite()
    {
        python_ = pythonWithEzdxf();
        if (!python_.empty())
            folder_ = new TempFolder;
    }
    static void TearDownTestSuite()
    {
        delete folder_;
        folder_ = nullptr;
    }

protected:
    void SetUp() override
    {
        if (!folder_)
            GTEST_SKIP() << "ezdxf is not installed (Debian package python3-ezdxf)";
    }
    // Runs the script on the folder (and `what`) unless `made` is there.
    static void make(const char* script, const std::string& what, const std::filesystem::path& made)
    {
        if (std::filesystem::exists(made))
            return;
        const std::string command = python_ + " '" DDS_SOURCE_DIR "/tests/dxf/" + script + "' '" +
                                    folder_->path().string() + "' " + what + " >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << script << " failed";
    }

    static inline TempFolder* folder_ = nullptr;
    static inline std::string python_;
};

// A test run once per release over the interop drawing that ezdxf made for
// that release, and the facts ezdxf read back from it.
class EzdxfReleaseTest : public EzdxfMadeDrawings<::testing::TestWithParam<const char*>> {
protected:
    void SetUp() override
    {
        EzdxfMadeDrawings::SetUp();
        if (IsSkipped())
            return;
        path_ = *folder_ / (std::string("interop_") + GetParam() + ".dxf");
        ASSERT_NO_FATAL_FAILURE(make("make_interop_drawings.py", GetParam(), path_));
        facts_ = readFacts(*folder_ / (std::string("interop_") + GetParam() + ".tsv"));
        ASSERT_GT(facts_.size(), 500u);
    }

    std::filesystem::path path_;
    std::vector<Fact> facts_;
};

} // namespace dxftest
