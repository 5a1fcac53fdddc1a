// Our INI reader against the platform's own, key by key, on awkward files.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "storage/ini_file.h"
#include "text/legacy_text.h"
#include "text/utf8_text.h"
#include "tests/common/scratch_folder.h"

namespace {

using namespace std::string_literals;

// Awkward files, one per kind of rule the reader follows.
const std::vector<std::string>& corpus()
{
    static const std::vector<std::string> files = {
        // Letter case and blanks around names and values.
        "[todo]\r\ntext_0=lower\r\ndone_0=1\r\nTEXT_1 =b\r\nTEXT_2= c\r\n \t TEXT_3 \t = \t padded \t \r\n"
        "\tDONE_1\t=\t1\t\r\nTEXT_4 = \t\v\f tabs \t\v\f\r\n",
        "[TODO]\r\nTEXT_0 = \"quoted\"\r\nTEXT_1 = 'single'\r\nTEXT_2 = \"mixed'\r\n"
        "TEXT_3 = \"\r\nTEXT_4 = \"\"\r\nTEXT_5 = '\r\nTEXT_6 = ''\r\nTEXT_7 = \"\"x\"\"\r\n",
        // Keys before the first section, and duplicate keys and sections.
        "TEXT_0 = orphan\r\nDONE_0 = 1\r\n[TODO]\r\nTEXT_0 = first\r\nTEXT_0 = second\r\ntext_0 = third\r\n"
        "[TODO]\r\nTEXT_0 = two\r\nTEXT_1 = only in second\r\n",
        // Keys the program never writes, and empty values.
        "[SCHEDULE]\r\nTEXT_21 = last\r\nTEXT_22 = beyond\r\nTEXT_99 = far\r\n"
        "[TODO]\r\nTEXT_0 =\r\nTEXT_1 = \r\nTEXT_2\r\nDONE_0 =\r\nMARK_0 = \r\n",
        // Every kind of line end, and none after the last line.
        "[TODO]\rTEXT_0 = cr only\rDONE_0 = 1\r\nTEXT_1 = lf only\nDONE_1 = 1\n\n\r\n\r\r\n"
        "TEXT_2 = mixed ends\n\n\rTEXT_3 = no final line break",
        "[TODO]\r\nTEXT_0 = " + std::string(259, 'a') + "\r\nTEXT_1 = " + std::string(260, 'b') +
            "\r\nTEXT_2 = " + std::string(5000, 'c') + "\r\nTEXT_3 = \"" + std::string(257, 'q') +
            "\"\r\nTEXT_4 = \"" + std::string(300, 'r') + "\"\r\n",
        "[TODO]\r\nTEXT_0 = \x01\x02\x7f\xe9\xff bytes\r\nTEXT_1 = caf\xe9\r\nTEXT_2 = \xa0nbsp\xa0\r\n"
        "TEXT_3 = \x85" "dots\x85\r\nTEXT_4 = before\x1a\r\nTEXT_5 = \x1a" "after\r\n"
        "TEXT_6 = nul\0inside\r\nTEXT_7 = next\r\n"s,
        "[TODO]\r\nDONE_0 = 12abc\r\nDONE_1 = -7\r\nDONE_2 = +5\r\nDONE_3 = abc\r\n"
        "DONE_4 = 0x1F\r\nDONE_5 = 010\r\nDONE_6 = 4294967295\r\nDONE_7 = 99999999999\r\n"
        "DONE_8 = \" 3\"\r\nDONE_9 = 0b101\r\nMARK_0 = 0o17\r\nMARK_1 = 2.5\r\n",
        // Section headers with blanks, words after them, and odd brackets.
        "[ TODO ]\r\nTEXT_0 = spaced header\r\n[TODO ]\r\nTEXT_1 = x\r\n  [TODO]  \r\nTEXT_2 = indented header\r\n"
        "[TODO] trailing words\r\nTEXT_3 = after header words\r\n",
        "[a]b]\r\nTEXT_0 = two brackets\r\n[open\r\nTEXT_1 = unclosed\r\n"
        "[]\r\nTEXT_0 = empty section name\r\n[TODO]\r\nTEXT_0 = real\r\n",
        // Lines that are not plain keys.
        "[TODO]\r\n=no key\r\n = blank key\r\nTEXT_0 == double equals\r\nTEXT_1 = a=b=c\r\n"
        ";TEXT_2 = commented\r\n# TEXT_3 = hash\r\nTEXT_4 = x ; not a comment\r\n",
        "",  // an empty file
        // The platform decodes a file with a byte-order mark as UTF-8, ours takes its bytes as they are: ASCII only.
        "\xef\xbb\xbf[TODO]\r\nTEXT_0 = after a byte-order mark\r\n",
        "[ITEM_1]\r\nname = Second\r\n[ITEM_0]\r\nname = First\r\nNAME = again\r\nphone = 12\r\n"
        "[ITEM_2]\r\nname = \"  spaced  \"\r\nbirthday = 02.29.2000\r\nweek = -+--+--\r\n",
    };
    return files;
}

// Every section a file names, in several spellings, and every key it names or the program asks for, each read
// into buffers of several widths as a number and as a text.
TEST(IniDifferential, OurReaderAnswersEveryKeyAsThePlatformDoes)
{
    ScratchFolder folder;
    for (size_t file = 0; file < corpus().size(); ++file) {
        // A file of the old code page is read converted, as the program reads it.
        const std::string bytes = isValidUtf8(corpus()[file]) ? corpus()[file] : legacyToProgramText(corpus()[file]);
        const std::string path = (folder.path() / ("case" + std::to_string(file) + ".ini")).string();
        writeBytes(path, bytes);
        IniFile ours = parseIni(bytes);
        std::set<std::string> sections = {"TODO", "todo", " TODO ", "SCHEDULE", "ITEM_0"}, keys = {"text_1", "name", "NAME"};
        for (const IniSection& s : ours.sections) {
            sections.emplace(s.name);
            for (const IniKey& k : s.keys) keys.emplace(k.name);
        }
        for (const char* key : {"TEXT_", "DONE_", "MARK_"})
            for (int n = 0; n < 10; ++n) keys.insert(key + std::to_string(n));
        sections.erase(""), keys.erase("");
        for (const std::string& section : sections)
            for (const std::string& key : keys) {
                for (DWORD width : {260u, 8u, 2u}) {
                    std::string platform(width, '\0'), mine(width, '\0');
                    GetPrivateProfileStringA(section.c_str(), key.c_str(), "<none>", platform.data(), width, path.c_str());
                    copyIniValue(findIniKey(ours, section.c_str(), key.c_str()), "<none>", mine.data(), width);
                    EXPECT_EQ(std::string(mine.c_str()), std::string(platform.c_str()))
                        << "file " << file << " [" << section << "] " << key << " width " << width;
                }
                EXPECT_EQ(iniIntValue(findIniKey(ours, section.c_str(), key.c_str()), 77),
                          int32_t(GetPrivateProfileIntA(section.c_str(), key.c_str(), 77, path.c_str())))
                    << "file " << file << " [" << section << "] " << key;
            }
    }
}

}  // namespace
