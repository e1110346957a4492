#pragma once
// Message texts that more than one command shows.

inline constexpr const wchar_t* kSeveralFilesNotice =
    L"複数のファイルは受け取れません。先頭のファイルを処理します。";

inline constexpr const wchar_t* kCloseQuestion = L"終了してよいですか？";
