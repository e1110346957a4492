#pragma once
// The program's fixed names and the maker's lines.

inline constexpr const wchar_t* AppTitle = L"Velmora";
inline constexpr const wchar_t* AppVersionLabel = L"V2.1";
inline constexpr const wchar_t* AppCopyright = L"Copyright (C) 2026 Quorrin";
inline constexpr const wchar_t* AppContactMail = L"velmora@quorrin.example";
inline constexpr const wchar_t* AppHomePage = L"https://www.quorrin.example/";
