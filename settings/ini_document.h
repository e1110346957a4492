#pragma once
// The settings file held in memory, as it is rewritten at a close: read leniently, normalised,
// changed section by section and written back in one piece.

#include <string>
#include <string_view>
#include <vector>

struct IniSection {
    std::wstring name;
    // "name=value" lines, or lines without "=" kept as they were.
    std::vector<std::wstring> lines;
};

class IniDocument {
public:
    // Lines are stripped of blanks (codes up to 32); empty lines, ";" comments and lines
    // before the first header go; a repeated header continues its section; blanks around the
    // first "=" go.
    static IniDocument Parse(std::wstring_view text);

    void EraseSection(std::wstring_view name);
    // Replaces the key's value, or appends the key (and the section) at the end.
    void WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value);
    // Each section as its header, its lines and one empty line, every line ended by CR LF.
    std::wstring Text() const;

    const std::vector<IniSection>& Sections() const { return sections_; }

private:
    IniSection* Find(std::wstring_view name);

    std::vector<IniSection> sections_;
};

// Names in the settings file compare without regard to letter case.
bool SameName(std::wstring_view a, std::wstring_view b);
