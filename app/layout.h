#pragma once
// The main window's controls as data: pages, grids, captions, hints and initial states, and
// the keys of the hidden menu items. The platform builds the real window from this table.

#include "platform/window.h"

// The two group boxes of the Settings page; their ids follow the commands' ids.
constexpr int kGroupBox2 = 1101;  // 起動ショートカット登録
constexpr int kGroupBox1 = 1102;  // 終了時

const platform::WindowLayout& MainWindowLayout();

// The width of each tab: the tab control's client width shared by the pages and one free
// share, truncated toward zero.
int TabWidthFor(int clientWidth, int pageCount);
