#include <doctest.h>

#include <map>
#include <random>
#include <set>
#include <tuple>

#include "app/layout.h"
#include "fixture.h"
#include "platform/grid.h"

namespace {

using platform::ControlKind;
using platform::ControlLayout;

const platform::WindowLayout& Layout() { return MainWindowLayout(); }

// The grid a control is placed in: its page's, or its group box's own.
platform::Grid GridOf(const ControlLayout& control) {
    if (control.parent == 0) return Layout().pages.at(static_cast<std::size_t>(control.page)).grid;
    for (const ControlLayout& group : Layout().controls)
        if (group.id == control.parent) return group.inner;
    FAIL("no group box " << control.parent);
    return {};
}

}  // namespace

TEST_CASE("the window's fixed texts read exactly as the users know them") {
    // Written from the program's texts, not from its table: a misspelt caption or hint fails.
    struct Text {
        const wchar_t* name;
        const wchar_t* caption;
        const wchar_t* hint;
    };
    const Text controls[] = {
        {L"ButtonSelectFile", L"フルパスをURLに戻して再表示", L"View Original"},
        {L"ButtonResave", L"上書きで再保存", L"Save OverWrite"},
        {L"ButtonSaveAs", L"名前を付けて保存", L"Save As new name"},
        {L"ButtonOpenFolder", L"ファイルの場所を開く", L"Open File Location"},
        {L"GroupBox2", L"起動ショートカット登録", L""},
        {L"GroupBox1", L"終了時", L""},
        {L"ButtonAddSendTo", L"「送る」メニュー", L"ShortCut for SendTo"},
        {L"ButtonDeskTop", L"デスクトップ", L"ShortCut for DeskTop"},
        {L"ButtonStartMenu", L"スタートメニュー", L"ShortCut for StartMenu"},
        {L"ButtonStartUp", L"スタートアップ", L"ShortCut for StartUp"},
        {L"CheckBoxCloseQuery", L"確認する", L"Querry at close"},
        {L"CheckBoxSaveStatus", L"状態を保存する", L"Save status"},
        {L"ButtonHelp", L"ヘルプ表示", L"Help (F1)"},
        {L"ButtonAbout", L"バージョン情報", L"About (Ctrl+Enter)"},
        {L"ButtonProperties", L"プロパティ表示", L"Properties (Alt+Enter)"},
        {L"ButtonDonation", L"開発支援", L"Donation"},
        {L"ButtonHomeSite", L"ホームページ", L"HomeSite"},
    };
    REQUIRE(Layout().controls.size() == std::size(controls));
    for (std::size_t i = 0; i < std::size(controls); ++i) {
        CAPTURE(controls[i].name);
        CHECK(Layout().controls[i].name == controls[i].name);
        CHECK(Layout().controls[i].caption == controls[i].caption);
        CHECK(Layout().controls[i].hint == controls[i].hint);
    }
    const Text pages[] = {{L"TabSheetFile", L"ファイル", L""},
                          {L"TabSheetSettings", L"設 定", L""},
                          {L"TabSheetHelp", L"ヘルプ", L""}};
    REQUIRE(Layout().pages.size() == std::size(pages));
    for (std::size_t i = 0; i < std::size(pages); ++i) {
        CHECK(Layout().pages[i].name == pages[i].name);
        CHECK(Layout().pages[i].caption == pages[i].caption);
    }
    struct Key {
        const wchar_t* name;
        const wchar_t* caption;
        std::uint16_t key;
        bool control;
        bool alt;
    };
    const Key keys[] = {{L"N1", L"ヘルプ", 0x70, false, false},
                        {L"About1", L"バージョン", 0x0D, true, false},
                        {L"N2", L"プロパティ", 0x0D, false, true},
                        {L"Close1", L"終了", 0x1B, false, false}};
    REQUIRE(Layout().shortcuts.size() == std::size(keys));
    for (std::size_t i = 0; i < std::size(keys); ++i) {
        const platform::KeyShortcut& shortcut = Layout().shortcuts[i];
        CAPTURE(keys[i].name);
        CHECK(shortcut.name == keys[i].name);
        CHECK(shortcut.caption == keys[i].caption);
        CHECK(shortcut.virtualKey == keys[i].key);
        CHECK(shortcut.control == keys[i].control);
        CHECK(shortcut.alt == keys[i].alt);
    }
    CHECK(Layout().fontFace == L"Meiryo UI");
    CHECK(Layout().fontHeight96 == -11);
    CHECK((Layout().width96 == 280 && Layout().height96 == 280));
}

TEST_CASE("every control sits where the users know it, and the source buttons wait for a file") {
    struct Place {
        const wchar_t* name;
        int page;
        int parent;
        int column;
        int row;
        bool enabled;
    };
    const Place places[] = {
        {L"ButtonSelectFile", 0, 0, 0, 0, true},
        {L"ButtonResave", 0, 0, 0, 1, false},
        {L"ButtonSaveAs", 0, 0, 0, 2, false},
        {L"ButtonOpenFolder", 0, 0, 0, 3, false},
        {L"GroupBox2", 1, 0, 0, 0, true},
        {L"GroupBox1", 1, 0, 1, 0, true},
        {L"ButtonAddSendTo", 1, kGroupBox2, 0, 0, true},
        {L"ButtonDeskTop", 1, kGroupBox2, 0, 1, true},
        {L"ButtonStartMenu", 1, kGroupBox2, 0, 2, true},
        {L"ButtonStartUp", 1, kGroupBox2, 0, 3, true},
        {L"CheckBoxCloseQuery", 1, kGroupBox1, 0, 0, true},
        {L"CheckBoxSaveStatus", 1, kGroupBox1, 0, 1, true},
        {L"ButtonHelp", 2, 0, 0, 0, true},
        {L"ButtonAbout", 2, 0, 0, 1, true},
        {L"ButtonProperties", 2, 0, 0, 2, true},
        {L"ButtonDonation", 2, 0, 0, 3, true},
        {L"ButtonHomeSite", 2, 0, 0, 4, true},
    };
    REQUIRE(Layout().controls.size() == std::size(places));
    for (std::size_t i = 0; i < std::size(places); ++i) {
        const ControlLayout& c = Layout().controls[i];
        CAPTURE(places[i].name);
        CHECK(c.name == places[i].name);
        CHECK((c.page == places[i].page && c.parent == places[i].parent));
        CHECK((c.column == places[i].column && c.row == places[i].row));
        CHECK(c.enabled == places[i].enabled);
        if (c.kind == ControlKind::GroupBox) CHECK((c.inner.columns == 1 && c.inner.rows == 4));
    }
    const platform::Grid grids[] = {{1, 4}, {2, 1}, {2, 5}};
    for (std::size_t i = 0; i < std::size(grids); ++i)
        CHECK((Layout().pages[i].grid.columns == grids[i].columns &&
               Layout().pages[i].grid.rows == grids[i].rows));
    CHECK(Layout().className == L"TForm1");
    CHECK(Layout().fallbackFaces == std::vector<std::wstring>{L"Yu Gothic UI", L"MS UI Gothic"});
    CHECK(Layout().margin96 == 3);
}

TEST_CASE("every control has its own id and name, a caption, and a cell inside its grid") {
    std::set<int> ids;
    std::set<std::wstring> names;
    std::set<std::tuple<int, int, int, int>> cells;
    for (const ControlLayout& c : Layout().controls) {
        CAPTURE(c.name);
        CHECK(ids.insert(c.id).second);
        CHECK(names.insert(c.name).second);
        CHECK_FALSE(c.caption.empty());
        CHECK((c.kind == ControlKind::GroupBox || !c.hint.empty()));
        REQUIRE((c.page >= 0 && c.page < static_cast<int>(Layout().pages.size())));
        const platform::Grid grid = GridOf(c);
        CHECK((c.column >= 0 && c.column < grid.columns && c.row >= 0 && c.row < grid.rows));
        CHECK(cells.insert({c.page, c.parent, c.column, c.row}).second);  // no two in one cell
        if (c.parent != 0) {
            const auto group = std::find_if(Layout().controls.begin(), Layout().controls.end(),
                                            [&](const ControlLayout& g) { return g.id == c.parent; });
            CHECK(group->kind == ControlKind::GroupBox);
            CHECK(group->page == c.page);
        }
    }
    for (const platform::PageLayout& page : Layout().pages) {
        CHECK_FALSE(page.caption.empty());
        CHECK((page.grid.columns > 0 && page.grid.rows > 0));
    }
}

TEST_CASE("every button and every shortcut runs a command; check boxes and group boxes run none") {
    std::vector<std::pair<int, bool>> commands;  // id, whether it must run something
    for (const ControlLayout& c : Layout().controls)
        commands.push_back({c.id, c.kind == ControlKind::Button});
    std::set<std::tuple<std::uint16_t, bool, bool>> keys;
    for (const platform::KeyShortcut& key : Layout().shortcuts) {
        CHECK(keys.insert({key.virtualKey, key.control, key.alt}).second);
        commands.push_back({key.id, true});
    }
    for (const auto& [id, runs] : commands) {
        CAPTURE(id);
        FreshMachine m;
        TForm1 form;
        Form1 = &form;
        form.Create();
        m.machine.calls.clear();
        SourceFileName = LR"(C:\Mirror\www.example.com\page.html)";
        SourceUrl = L"http://www.example.com/page.html";
        form.CommandChosen(id);
        CHECK(m.machine.calls.empty() == !runs);
        form.Destroy();
    }
}

TEST_CASE("one default button, enabled; the source buttons wait for a file") {
    int defaults = 0;
    for (const ControlLayout& c : Layout().controls) {
        if (!c.defaultButton) continue;
        ++defaults;
        CHECK(c.enabled);
    }
    CHECK(defaults == 1);
    FreshMachine m;
    TForm1 form;
    Form1 = &form;
    form.Create();
    for (const ControlId id : {ControlId::ButtonResave, ControlId::ButtonSaveAs, ControlId::ButtonOpenFolder})
        CHECK_FALSE(form.IsEnabled(id));
    form.Destroy();
}

TEST_CASE("grid cells tile their panel: neighbours meet, margins kept, nothing outside") {
    std::mt19937 generator(7);
    for (int i = 0; i < 2000; ++i) {
        const platform::Rect area{static_cast<std::int32_t>(generator() % 50),
                                  static_cast<std::int32_t>(generator() % 50), 0, 0};
        const platform::Rect panel{area.left, area.top,
                                   area.left + static_cast<std::int32_t>(generator() % 2000),
                                   area.top + static_cast<std::int32_t>(generator() % 2000)};
        const platform::Grid grid{1 + static_cast<int>(generator() % 6),
                                  1 + static_cast<int>(generator() % 6)};
        const int margin = static_cast<int>(generator() % 5);
        for (int column = 0; column < grid.columns; ++column) {
            for (int row = 0; row < grid.rows; ++row) {
                const platform::Rect cell = platform::GridCellRect(panel, grid, column, row, margin);
                const platform::Rect bare = platform::GridCellRect(panel, grid, column, row, 0);
                CHECK(cell == platform::Rect{bare.left + margin, bare.top + margin, bare.right - margin,
                                             bare.bottom - margin});
                if (column == 0) CHECK(bare.left == panel.left);
                if (row == 0) CHECK(bare.top == panel.top);
                if (column + 1 == grid.columns) CHECK(bare.right == panel.right);
                if (row + 1 == grid.rows) CHECK(bare.bottom == panel.bottom);
                if (column + 1 < grid.columns)
                    CHECK(bare.right == platform::GridCellRect(panel, grid, column + 1, row, 0).left);
                if (row + 1 < grid.rows)
                    CHECK(bare.bottom == platform::GridCellRect(panel, grid, column, row + 1, 0).top);
            }
        }
    }
}

TEST_CASE("FormResize gives each tab a quarter of the tab control's width") {
    FreshMachine m;
    TForm1 form;
    Form1 = &form;
    form.Create();
    const std::pair<int, int> widths[] = {{272, 68}, {275, 68}, {276, 69}, {1000, 250}, {3, 0}, {0, 0}};
    for (const auto& [client, tab] : widths) {
        CAPTURE(client);
        m.machine.mainWindow.tabClientWidth = client;
        form.FormResize();
        CHECK(m.machine.mainWindow.tabWidths.back() == tab);
    }
    CHECK(TabWidthFor(-7, 3) == -1);  // truncates toward zero
    form.Destroy();
}
