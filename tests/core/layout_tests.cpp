#include <doctest.h>

#include <algorithm>
#include <set>

#include "app/layout.h"
#include "fixture.h"

namespace {

const platform::ControlLayout& ControlOf(ControlId id) {
    const auto& controls = MainWindowLayout().controls;
    const auto found = std::find_if(controls.begin(), controls.end(), [&](const platform::ControlLayout& c) {
        return c.id == static_cast<int>(id);
    });
    REQUIRE(found != controls.end());
    return *found;
}

struct Placed {
    ControlId id;
    int page;
    int parent;
    int column;
    int row;
    const wchar_t* caption;
    const wchar_t* hint;
};

const Placed kPlaced[] = {
    {ControlId::ButtonSelectFile, 0, 0, 0, 0, L"フルパスをURLに戻して再表示", L"View Original"},
    {ControlId::ButtonResave, 0, 0, 0, 1, L"上書きで再保存", L"Save OverWrite"},
    {ControlId::ButtonSaveAs, 0, 0, 0, 2, L"名前を付けて保存", L"Save As new name"},
    {ControlId::ButtonOpenFolder, 0, 0, 0, 3, L"ファイルの場所を開く", L"Open File Location"},
    {ControlId::ButtonAddSendTo, 1, kGroupBox2, 0, 0, L"「送る」メニュー", L"ShortCut for SendTo"},
    {ControlId::ButtonDeskTop, 1, kGroupBox2, 0, 1, L"デスクトップ", L"ShortCut for DeskTop"},
    {ControlId::ButtonStartMenu, 1, kGroupBox2, 0, 2, L"スタートメニュー", L"ShortCut for StartMenu"},
    {ControlId::ButtonStartUp, 1, kGroupBox2, 0, 3, L"スタートアップ", L"ShortCut for StartUp"},
    {ControlId::CheckBoxCloseQuery, 1, kGroupBox1, 0, 0, L"確認する", L"Querry at close"},
    {ControlId::CheckBoxSaveStatus, 1, kGroupBox1, 0, 1, L"状態を保存する", L"Save status"},
    {ControlId::ButtonHelp, 2, 0, 0, 0, L"ヘルプ表示", L"Help (F1)"},
    {ControlId::ButtonAbout, 2, 0, 0, 1, L"バージョン情報", L"About (Ctrl+Enter)"},
    {ControlId::ButtonProperties, 2, 0, 0, 2, L"プロパティ表示", L"Properties (Alt+Enter)"},
    {ControlId::ButtonDonation, 2, 0, 0, 3, L"開発支援", L"Donation"},
    {ControlId::ButtonHomeSite, 2, 0, 0, 4, L"ホームページ", L"HomeSite"},
};

}  // namespace

TEST_CASE("every control sits in its page, group and cell with its caption and hint") {
    for (const Placed& p : kPlaced) {
        CAPTURE(static_cast<int>(p.id));
        const platform::ControlLayout& c = ControlOf(p.id);
        CHECK(c.page == p.page);
        CHECK(c.parent == p.parent);
        CHECK(c.column == p.column);
        CHECK(c.row == p.row);
        CHECK(c.caption == p.caption);
        CHECK(c.hint == p.hint);
    }
    CHECK(MainWindowLayout().controls.size() == std::size(kPlaced) + 2);  // and the two group boxes
}

TEST_CASE("the pages, the group boxes and their grids") {
    const platform::WindowLayout& layout = MainWindowLayout();
    REQUIRE(layout.pages.size() == 3);
    CHECK(layout.pages[0].caption == L"ファイル");
    CHECK(layout.pages[1].caption == L"設 定");
    CHECK(layout.pages[2].caption == L"ヘルプ");
    CHECK((layout.pages[0].grid.columns == 1 && layout.pages[0].grid.rows == 4));
    CHECK((layout.pages[1].grid.columns == 2 && layout.pages[1].grid.rows == 1));
    CHECK((layout.pages[2].grid.columns == 2 && layout.pages[2].grid.rows == 5));
    for (const platform::ControlLayout& c : layout.controls) {
        if (c.kind != platform::ControlKind::GroupBox) continue;
        CHECK(c.page == 1);
        CHECK((c.inner.columns == 1 && c.inner.rows == 4));
        CHECK(c.column == (c.id == kGroupBox2 ? 0 : 1));
        CHECK(c.caption == (c.id == kGroupBox2 ? L"起動ショートカット登録" : L"終了時"));
    }
    CHECK(layout.fontFace == L"Meiryo UI");
    CHECK(layout.fontHeight96 == -11);
    CHECK(layout.margin96 == 3);
    CHECK((layout.width96 == 280 && layout.height96 == 280));
}

TEST_CASE("only the select button is the default, only the source buttons start disabled") {
    const std::set<int> disabled = {static_cast<int>(ControlId::ButtonResave),
                                    static_cast<int>(ControlId::ButtonSaveAs),
                                    static_cast<int>(ControlId::ButtonOpenFolder)};
    for (const platform::ControlLayout& c : MainWindowLayout().controls) {
        CAPTURE(c.id);
        CHECK(c.enabled == !disabled.count(c.id));
        CHECK(c.defaultButton == (c.id == static_cast<int>(ControlId::ButtonSelectFile)));
    }
    CHECK(ControlOf(ControlId::CheckBoxCloseQuery).kind == platform::ControlKind::CheckBox);
    CHECK(ControlOf(ControlId::CheckBoxSaveStatus).kind == platform::ControlKind::CheckBox);
}

TEST_CASE("the hidden menu items carry the four shortcuts") {
    struct Key {
        ControlId id;
        const wchar_t* caption;
        std::uint16_t key;
        bool control;
        bool alt;
    };
    const Key keys[] = {
        {ControlId::N1, L"ヘルプ", platform::kVkF1, false, false},
        {ControlId::About1, L"バージョン", platform::kVkReturn, true, false},
        {ControlId::N2, L"プロパティ", platform::kVkReturn, false, true},
        {ControlId::Close1, L"終了", platform::kVkEscape, false, false},
    };
    const auto& shortcuts = MainWindowLayout().shortcuts;
    REQUIRE(shortcuts.size() == std::size(keys));
    for (std::size_t i = 0; i < shortcuts.size(); ++i) {
        CAPTURE(i);
        CHECK(shortcuts[i].id == static_cast<int>(keys[i].id));
        CHECK(shortcuts[i].caption == keys[i].caption);
        CHECK(shortcuts[i].virtualKey == keys[i].key);
        CHECK(shortcuts[i].control == keys[i].control);
        CHECK(shortcuts[i].alt == keys[i].alt);
    }
}

TEST_CASE("grid cells share the panel equally and keep their margins") {
    const platform::Rect area{3, 3, 263, 223};  // 260 x 220
    CHECK(GridCellRect(area, {1, 4}, 0, 0, 3) == platform::Rect{6, 6, 260, 55});
    CHECK(GridCellRect(area, {1, 4}, 0, 3, 3) == platform::Rect{6, 171, 260, 220});
    CHECK(GridCellRect(area, {2, 5}, 0, 4, 3) == platform::Rect{6, 182, 130, 220});
    CHECK(GridCellRect(area, {2, 5}, 1, 0, 3) == platform::Rect{136, 6, 260, 44});
    // 100 over three rows: the edges round down and the cells still meet.
    const platform::Rect tall{0, 0, 10, 100};
    CHECK(GridCellRect(tall, {1, 3}, 0, 0, 0).bottom == 33);
    CHECK(GridCellRect(tall, {1, 3}, 0, 1, 0) == platform::Rect{0, 33, 10, 66});
    CHECK(GridCellRect(tall, {1, 3}, 0, 2, 0).bottom == 100);
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

TEST_CASE("the window is created from the table with the source buttons disabled") {
    FreshMachine m;
    TForm1 form;
    Form1 = &form;
    form.Create();
    REQUIRE(m.machine.mainWindow.layout.has_value());
    CHECK(m.machine.mainWindow.layout->controls.size() == MainWindowLayout().controls.size());
    CHECK_FALSE(form.IsEnabled(ControlId::ButtonResave));
    CHECK_FALSE(form.IsEnabled(ControlId::ButtonSaveAs));
    CHECK_FALSE(form.IsEnabled(ControlId::ButtonOpenFolder));
    CHECK(form.IsEnabled(ControlId::ButtonSelectFile));
    form.Destroy();
}
