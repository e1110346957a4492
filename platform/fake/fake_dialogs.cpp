// Fake boxes and dialogs: each shown one recorded, answered from the queues a test filled.
#include "platform/fake/fake_platform.h"

namespace platform {

using fake::Log;
using fake::Platform;

namespace {

int NextAnswer(int fallback) {
    auto& answers = Platform().boxAnswers;
    if (answers.empty()) return fallback;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::wstring> Answer(std::deque<std::optional<std::wstring>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<std::wstring> answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace

int MessageBoxW(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                std::uint32_t type) {
    Log("MessageBoxW");
    Platform().boxes.push_back({fake::BoxCall::Kind::MessageBox, owner, caption, text, type});
    const bool yesNo = (type & 0xF) == kMbYesNo || (type & 0xF) == kMbYesNoCancel;
    return NextAnswer(yesNo ? kIdYes : kIdOk);
}

bool TaskDialogAvailable() { return Platform().taskDialogAvailable; }

int TaskDialogIndirect(const TaskDialogConfig& config) {
    Log("TaskDialogIndirect");
    Platform().boxes.push_back(
        {fake::BoxCall::Kind::TaskDialog, config.owner, config.caption, config.content, config.flags});
    return NextAnswer(kIdOk);
}

std::optional<std::wstring> ShowOpenDialog(const FileDialogConfig& config) {
    Log("ShowOpenDialog");
    Platform().download.openDialogs.push_back(config);
    return Answer(Platform().download.openDialogAnswers);
}

std::optional<std::wstring> ShowSaveDialog(const FileDialogConfig& config) {
    Log("ShowSaveDialog");
    Platform().download.saveDialogs.push_back(config);
    return Answer(Platform().download.saveDialogAnswers);
}

bool GradientFill(PaintSurface surface, const TriVertex& topLeft, const TriVertex& bottomRight,
                  std::uint32_t mode) {
    Log("GradientFill");
    Platform().info.gradientFills.push_back({surface, topLeft, bottomRight, mode});
    return true;
}

void ShowInformationDialog(WindowHandle owner, const std::wstring& caption, const std::wstring& text,
                           PaintHandler onPaint) {
    Log("ShowInformationDialog");
    Platform().info.informationDialogs.push_back({owner, caption, text, onPaint});
}

}  // namespace platform
