// IniDocument: reading, normalising, writing a key and erasing a section. Input: a byte choosing
// the section to write (an existing one, its case changed, or the next text), a byte choosing
// the section to erase the same way, then section, key and value texts (a length byte, then
// UTF-16LE units each), then the document as UTF-16LE units.
#include "settings/ini_document.h"

#include <algorithm>
#include <cwctype>

#include "input.h"

namespace {

bool Blank(wchar_t c) { return c <= L' '; }

// What a settings line can hold: no line break, no blanks at either end; a key has no "=".
std::wstring Clean(std::wstring text, bool key = false) {
    std::erase_if(text, [&](wchar_t c) { return c == L'\r' || c == L'\n' || (key && c == L'='); });
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), Blank));
    text.erase(std::find_if_not(text.rbegin(), text.rend(), Blank).base(), text.end());
    return text;
}

// An existing section's name in another case, or the given name.
std::wstring PickSection(std::uint8_t choice, const IniDocument& document, const std::wstring& given) {
    const auto& sections = document.Sections();
    if (sections.empty() || choice % 2 == 0) return given;
    std::wstring name = sections[choice / 4 % sections.size()].name;
    if (choice & 2)
        for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return name;
}

bool SameSection(const IniSection& a, const IniSection& b) { return a.name == b.name && a.lines == b.lines; }

std::wstring_view KeyOf(std::wstring_view line) {
    const std::size_t equals = line.find(L'=');
    return equals == std::wstring_view::npos ? std::wstring_view() : line.substr(0, equals);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::uint8_t writeChoice = input.Byte();
    const std::uint8_t eraseChoice = input.Byte();
    const std::wstring sectionGiven = Clean(input.Text());
    const std::wstring key = Clean(input.Text(), true);
    const std::wstring value = Clean(input.Text());
    const IniDocument document = IniDocument::Parse(input.RestText());

    // Normalising twice gives what normalising once gave.
    const std::wstring text = document.Text();
    CHECK(IniDocument::Parse(text).Text() == text);
    // Every line ends with CR LF: no CR or LF stands alone, and the text ends with one.
    CHECK(text.empty() || text.ends_with(L"\r\n"));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r') CHECK(i + 1 < text.size() && text[i + 1] == L'\n');
        if (text[i] == L'\n') CHECK(i > 0 && text[i - 1] == L'\r');
    }
    // One section per name, whatever its case.
    const std::vector<IniSection>& sections = document.Sections();
    for (std::size_t i = 0; i < sections.size(); ++i)
        for (std::size_t j = i + 1; j < sections.size(); ++j)
            CHECK(!SameName(sections[i].name, sections[j].name));

    // A key written is read back from its section, before any other spelling of it. A key that
    // starts with ";" or "[" would read back as a comment or a header; the program's keys never do.
    const bool keyReadable = !key.starts_with(L';') && !key.starts_with(L'[');
    if (keyReadable) {
        IniDocument written = document;
        const std::wstring section = PickSection(writeChoice, document, sectionGiven);
        written.WriteString(section, key, value);
        const IniDocument reread = IniDocument::Parse(written.Text());
        const auto found = std::find_if(reread.Sections().begin(), reread.Sections().end(),
                                        [&](const IniSection& s) { return SameName(s.name, section); });
        CHECK(found != reread.Sections().end());
        const auto line = std::find_if(found->lines.begin(), found->lines.end(), [&](const std::wstring& l) {
            return l.find(L'=') != std::wstring::npos && SameName(KeyOf(l), key);
        });
        CHECK(line != found->lines.end() && *line == key + L"=" + value);
    }

    // Erasing a section takes every section of that name and leaves the others as they were.
    IniDocument erased = document;
    const std::wstring gone = PickSection(eraseChoice, document, sectionGiven);
    erased.EraseSection(gone);
    std::vector<IniSection> kept = sections;
    std::erase_if(kept, [&](const IniSection& s) { return SameName(s.name, gone); });
    const std::vector<IniSection> left = IniDocument::Parse(erased.Text()).Sections();
    CHECK(std::equal(left.begin(), left.end(), kept.begin(), kept.end(), SameSection));
    return 0;
}
