#pragma once
// What a program hands the real window and loop, for tests that drive the platform without
// TForm1: it only notes what it was told.

#include <cstdint>
#include <vector>

#include "platform/window.h"

struct RecordingEvents final : platform::WindowEvents {
    std::vector<std::uint32_t> offered;  // messages the loop or a pump took from the queue
    std::vector<int> commands;
    void MessageQueued(const platform::QueuedMessage& message, bool&) override {
        offered.push_back(message.message);
    }
    void CommandChosen(int id) override { commands.push_back(id); }
    void FilesDropped(platform::UniqueDrop) override {}
    void CloseRequested() override {}
    bool EndSessionQueried() override { return true; }
    void StateChanged(platform::WindowState) override {}
    void Resized() override {}
    void ErrorRaised(const platform::Error&) override {}
};
