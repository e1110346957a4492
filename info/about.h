#pragma once

#include <cstdint>
#include <string>

#include "platform/clock_locale.h"
#include "platform/dialogs.h"
#include "platform/types.h"

// The four-part fixed file version of a file ("2.1.8457.18046"), or empty without a version
// resource.
std::wstring GetFileVersionText(const std::wstring& fileName);

// Full Ukrainian month names (nominative) and weekday names, Monday first, as the locale's
// LOCALE_SMONTHNAME* and LOCALE_SDAYNAME* items give them.
struct UkrainianNames {
    std::wstring months[12];
    std::wstring weekdays[7];
};
// From the Ukrainian locale when it is installed, otherwise from the program's own table.
UkrainianNames GetUkrainianNames();

// The offset of local time from UTC at a local time, in seconds, daylight saving included; in
// the hour that comes twice when the clocks go back, the local time counts as standard time.
std::int32_t LocalOffsetFromUtc(const platform::SystemTime& local);

// The two-line peace message with the date and time in Kyiv, from the local clock and offset.
std::wstring GetKyivTimeText();

// The About box's text: every line, the last included, followed by CR LF.
std::wstring AboutText(const std::wstring& fileVersion, const std::wstring& exePath, int screenWidth,
                       int screenHeight, const std::wstring& kyivTimeText);

// The background of one paint: white to `endColour` (0x00BBGGRR), horizontal when the colour
// is odd, vertical when it is even.
struct Gradient {
    platform::TriVertex topLeft;
    platform::TriVertex bottomRight;
    std::uint32_t mode = 0;
};
Gradient AboutGradient(const platform::Rect& client, std::uint32_t endColour);

// Paint handler of the About dialog: the whole client area, with a new random colour each time.
void AboutBoxPaint(platform::WindowHandle sender, platform::PaintSurface surface);
