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
    // Reads a file as Save writes it (UTF-8, or text with a byte-order mark). False, with nothing
    // taken, when it cannot be read or holds a zero byte or bytes that are not UTF-8: a file cut
    // short inside a character, or no text at all.
    bool LoadUtf8(const std::string& path);
    // Takes the lines of text in the program's own code page.
    void Parse(const std::string& text);

    // The names of the sections and of a section's values in file order, each once.
    std::vector<std::string> Sections() const;
    std::vector<std::string> Names(const std::string& section) const;
    bool Find(const std::string& section, const std::string& name, std::string& value) const;
    std::string Text(const std::string& section, const std::string& name, const char* defaultValue = "") const;
    // The leading decimal number of the value (0 without one); defaultValue when there is no value.
    int Number(const std::string& section, const std::string& name, int defaultValue) const;

    // Changes the value that Find finds, or adds one (and its section) at the end.
    void Set(const std::string& section, const std::string& name, const std::string& value);
    // Removes every value of that name, and every section of that name, so none shows through.
    void Remove(const std::string& section, const std::string& name);
    bool RemoveSection(const std::string& section);  // false when there was none
    // Whether Save can write a name so that Load reads it back: no "=", line break or blank at
    // either end, not starting with ";" or "[". A value can be any text without a line break.
    static bool IsWritableName(const std::string& name);
    static bool IsWritableValue(const std::string& value);
    // The whole file as UTF-8, safely: the old one stays until the new one is complete.
    bool Save(const std::string& path) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    const Section* FindSection(const std::string& name) const;
    std::vector<Section> m_sections;
};

// A whole decimal number with an optional sign and nothing else, within 32 bits (past the largest
// int it is read as the registry's unsigned numbers are).
bool ParseWholeNumber(const std::string& text, int& value);
