// The contents of an INI file: sections of "name=value" lines, looked up as the system's profile
// functions do (names in any letter case, the first of equal names counts, blanks round names
// and values ignored, a value in matching quotes without them). Reading it ourselves lets the
// bytes be decoded in the code page they were written in.
#pragma once
#include <windows.h>
#include <string>
#include <utility>
#include <vector>

class IniFile {
public:
    // Reads the file, whose bytes are in codePage unless they start with a UTF-8 or UTF-16 mark.
    // False when it cannot be read.
    bool Load(const std::string& path, UINT codePage);
    // Takes the lines of text in the program's own code page.
    void Parse(const std::string& text);

    // The names of a section in file order, each once.
    std::vector<std::string> Names(const std::string& section) const;
    bool Find(const std::string& section, const std::string& name, std::string& value) const;
    std::string Text(const std::string& section, const std::string& name, const char* defaultValue = "") const;
    // The leading decimal number of the value (0 without one); defaultValue when there is no value.
    int Number(const std::string& section, const std::string& name, int defaultValue) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    const Section* FindSection(const std::string& name) const;
    std::vector<Section> m_sections;
};
