#include "app/layout.h"

#include <span>

#include "app/form.h"

namespace {

using platform::ControlKind;

// A control's id and its name, spelled once: the name is the id's own.
#define NAMED(control) ControlId::control, L"" #control

int Id(ControlId control) { return static_cast<int>(control); }
// The id and name of a hidden menu item, as a KeyShortcut takes them.
#define NAMED_ITEM(item) static_cast<int>(ControlId::item), L"" #item

platform::WindowLayout BuildLayout() {
    constexpr int kFile = static_cast<int>(Page::TabSheetFile);
    constexpr int kSettings = static_cast<int>(Page::TabSheetSettings);
    constexpr int kHelp = static_cast<int>(Page::TabSheetHelp);

    platform::WindowLayout layout;
    layout.className = L"TForm1";
    layout.width96 = TForm1::kWidth96;
    layout.height96 = TForm1::kHeight96;
    layout.fontFace = L"Meiryo UI";
    layout.fallbackFaces = {L"Yu Gothic UI", L"MS UI Gothic"};
    layout.fontHeight96 = -11;  // 9 pt
    layout.margin96 = 3;
    layout.pages = {
        {L"TabSheetFile", L"ファイル", {1, 4}},
        {L"TabSheetSettings", L"設 定", {2, 1}},
        {L"TabSheetHelp", L"ヘルプ", {2, 5}},
    };

    const auto button = [](ControlId id, const wchar_t* name, int page, int parent, int column, int row,
                           const wchar_t* caption, const wchar_t* hint) {
        platform::ControlLayout entry;
        entry.id = Id(id);
        entry.name = name;
        entry.page = page;
        entry.parent = parent;
        entry.column = column;
        entry.row = row;
        entry.caption = caption;
        entry.hint = hint;
        return entry;
    };

    auto& c = layout.controls;
    // File page: the source buttons wait for the first file taken in.
    c.push_back(
        button(NAMED(ButtonSelectFile), kFile, 0, 0, 0, L"フルパスをURLに戻して再表示", L"View Original"));
    c.back().defaultButton = true;
    c.push_back(button(NAMED(ButtonResave), kFile, 0, 0, 1, L"上書きで再保存", L"Save OverWrite"));
    c.push_back(button(NAMED(ButtonSaveAs), kFile, 0, 0, 2, L"名前を付けて保存", L"Save As new name"));
    c.push_back(
        button(NAMED(ButtonOpenFolder), kFile, 0, 0, 3, L"ファイルの場所を開く", L"Open File Location"));
    for (platform::ControlLayout& source : std::span(c).subspan(1)) source.enabled = false;

    // Settings page: two group boxes side by side, each with a grid of four rows.
    platform::ControlLayout group2;
    group2.id = kGroupBox2;
    group2.name = L"GroupBox2";
    group2.kind = ControlKind::GroupBox;
    group2.page = kSettings;
    group2.caption = L"起動ショートカット登録";
    group2.inner = {1, 4};
    platform::ControlLayout group1 = group2;
    group1.id = kGroupBox1;
    group1.name = L"GroupBox1";
    group1.column = 1;
    group1.caption = L"終了時";
    c.push_back(group2);
    c.push_back(group1);
    c.push_back(button(NAMED(ButtonAddSendTo), kSettings, kGroupBox2, 0, 0, L"「送る」メニュー",
                       L"ShortCut for SendTo"));
    c.push_back(
        button(NAMED(ButtonDeskTop), kSettings, kGroupBox2, 0, 1, L"デスクトップ", L"ShortCut for DeskTop"));
    c.push_back(button(NAMED(ButtonStartMenu), kSettings, kGroupBox2, 0, 2, L"スタートメニュー",
                       L"ShortCut for StartMenu"));
    c.push_back(button(NAMED(ButtonStartUp), kSettings, kGroupBox2, 0, 3, L"スタートアップ",
                       L"ShortCut for StartUp"));
    c.push_back(
        button(NAMED(CheckBoxCloseQuery), kSettings, kGroupBox1, 0, 0, L"確認する", L"Querry at close"));
    c.back().kind = ControlKind::CheckBox;
    c.push_back(
        button(NAMED(CheckBoxSaveStatus), kSettings, kGroupBox1, 0, 1, L"状態を保存する", L"Save status"));
    c.back().kind = ControlKind::CheckBox;

    // Help page: column 1 stays empty.
    c.push_back(button(NAMED(ButtonHelp), kHelp, 0, 0, 0, L"ヘルプ表示", L"Help (F1)"));
    c.push_back(button(NAMED(ButtonAbout), kHelp, 0, 0, 1, L"バージョン情報", L"About (Ctrl+Enter)"));
    c.push_back(
        button(NAMED(ButtonProperties), kHelp, 0, 0, 2, L"プロパティ表示", L"Properties (Alt+Enter)"));
    c.push_back(button(NAMED(ButtonDonation), kHelp, 0, 0, 3, L"開発支援", L"Donation"));
    c.push_back(button(NAMED(ButtonHomeSite), kHelp, 0, 0, 4, L"ホームページ", L"HomeSite"));

    layout.shortcuts = {
        {NAMED_ITEM(N1), L"ヘルプ", platform::kVkF1, false, false},
        {NAMED_ITEM(About1), L"バージョン", platform::kVkReturn, true, false},
        {NAMED_ITEM(N2), L"プロパティ", platform::kVkReturn, false, true},
        {NAMED_ITEM(Close1), L"終了", platform::kVkEscape, false, false},
    };
    return layout;
}

}  // namespace

const platform::WindowLayout& MainWindowLayout() {
    static const platform::WindowLayout layout = BuildLayout();
    return layout;
}

int TabWidthFor(int clientWidth, int pageCount) { return clientWidth / (pageCount + 1); }
