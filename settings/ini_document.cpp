#include "settings/ini_document.h"

#include <algorithm>
#include <cwctype>

namespace {

bool IsBlank(wchar_t c) { return c <= L' '; }

std::wstring_view TrimEnd(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::wstring_view TrimStart(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::wstring_view Trim(std::wstring_view text) { return TrimStart(TrimEnd(text)); }

std::wstring_view KeyOf(std::wstring_view line) {
    const std::size_t equals = line.find(L'=');
    return equals == std::wstring_view::npos ? std::wstring_view{} : line.substr(0, equals);
}

}  // namespace

bool SameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::towupper(static_cast<wint_t>(a[i])) != std::towupper(static_cast<wint_t>(b[i])))
            return false;
    return true;
}

IniDocument IniDocument::Parse(std::wstring_view text) {
    IniDocument document;
    IniSection* current = nullptr;
    while (!text.empty()) {
        std::size_t end = text.find_first_of(L"\r\n");
        if (end == std::wstring_view::npos) end = text.size();
        const std::wstring_view line = Trim(text.substr(0, end));
        // A CR LF ends the line at the CR and leaves an empty one at the LF, which is skipped.
        text.remove_prefix(std::min(end + 1, text.size()));

        if (line.empty() || line.front() == L';') continue;
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
            const std::wstring_view name = Trim(line.substr(1, line.size() - 2));
            current = document.Find(name);
            if (!current) current = &document.sections_.emplace_back(IniSection{std::wstring(name), {}});
            continue;
        }
        if (!current) continue;
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            current->lines.emplace_back(line);
        } else {
            current->lines.push_back(std::wstring(TrimEnd(line.substr(0, equals))) + L"=" +
                                     std::wstring(TrimStart(line.substr(equals + 1))));
        }
    }
    return document;
}

IniSection* IniDocument::Find(std::wstring_view name) {
    for (IniSection& section : sections_)
        if (SameName(section.name, name)) return &section;
    return nullptr;
}

void IniDocument::EraseSection(std::wstring_view name) {
    std::erase_if(sections_, [&](const IniSection& section) { return SameName(section.name, name); });
}

void IniDocument::WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    IniSection* target = Find(section);
    if (!target) target = &sections_.emplace_back(IniSection{std::wstring(section), {}});
    const std::wstring line = std::wstring(key) + L"=" + std::wstring(value);
    for (std::wstring& existing : target->lines) {
        if (existing.find(L'=') != std::wstring::npos && SameName(KeyOf(existing), key)) {
            existing = line;
            return;
        }
    }
    target->lines.push_back(line);
}

std::wstring IniDocument::Text() const {
    std::wstring text;
    for (const IniSection& section : sections_) {
        text += L"[" + section.name + L"]\r\n";
        for (const std::wstring& line : section.lines) text += line + L"\r\n";
        text += L"\r\n";
    }
    return text;
}
