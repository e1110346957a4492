#pragma once
// The three boxes through which the program tells the user things, and the default error box
// for errors that a command does not handle itself. Every one is modal and captioned with the
// application title.

#include <exception>
#include <string>

#include "platform/error.h"

// Sized to its text; only its OK button closes it.
void InfoMessage(const std::wstring& text);
// Standard dialog width (long lines wrap); Esc, Alt+F4 and the close button act as OK.
void NoticeMessage(const std::wstring& text);

enum class ConfirmButtons { YesNo, YesNoCancel };
enum class ConfirmResult { Yes, No, Cancel };
// Question icon; with Yes/No/Cancel, Esc and the close button give Cancel.
ConfirmResult ConfirmMessage(const std::wstring& text, ConfirmButtons buttons);

// The error's text with a full stop added when its last character sorts after ".".
std::wstring DefaultErrorText(const std::wstring& text);
void ShowDefaultErrorBox(const platform::Error& error);
// An exception's ASCII what() as a box text.
std::wstring WidenErrorText(const char* text);

// Runs one command entry point; an error it does not handle ends it in the default error box.
// Returns false when that happened.
// What the standard library throws (out of memory, say) is shown the same way: nothing may leave
// a command through the window procedure that called it.
template <class Command>
bool RunCommand(Command&& command) {
    try {
        command();
        return true;
    } catch (const platform::Error& error) {
        ShowDefaultErrorBox(error);
    } catch (const std::exception& error) {
        ShowDefaultErrorBox(platform::Error(WidenErrorText(error.what())));
    }
    return false;
}
