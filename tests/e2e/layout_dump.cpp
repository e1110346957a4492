// Prints the main window's layout table as the program holds it, so that the end-to-end cases
// check the live window against the program's own table instead of a copy of it.
//   page <tab> index <tab> name <tab> caption
//   control <tab> name <tab> id <tab> page <tab> caption <tab> hint
//   shortcut <tab> name <tab> id
#include "app/layout.h"
#include "tool_text.h"

int wmain() {
    const platform::WindowLayout& layout = MainWindowLayout();
    for (std::size_t i = 0; i < layout.pages.size(); ++i)
        Print(L"page\t" + std::to_wstring(i) + L"\t" + layout.pages[i].name + L"\t" +
              layout.pages[i].caption);
    for (const platform::ControlLayout& c : layout.controls)
        Print(L"control\t" + c.name + L"\t" + std::to_wstring(c.id) + L"\t" + std::to_wstring(c.page) +
              L"\t" + c.caption + L"\t" + c.hint);
    for (const platform::KeyShortcut& key : layout.shortcuts)
        Print(L"shortcut\t" + key.name + L"\t" + std::to_wstring(key.id));
    return 0;
}
