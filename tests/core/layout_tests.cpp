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
