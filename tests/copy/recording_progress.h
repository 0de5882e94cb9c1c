#pragma once
// An install progress for tests: it records what the engine reports and keeps the bar's arithmetic
// honest (a position outside the range is a fault).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/copy/install_progress.h"

namespace tltest {

class RecordingProgress final : public engine::IInstallProgress {
public:
    void SetHeading(const TLString& title, const TLString& subtitle) override {
        headings.push_back(title.ToUtf8() + " / " + subtitle.ToUtf8());
    }
    void SetRange(int maximum) override {
        EXPECT_GE(maximum, 1) << "after " << (texts.empty() ? "" : texts.back());
        range = maximum;
        position = 0;
    }
    void SetPosition(int value) override {
        EXPECT_GE(value, 0);
        EXPECT_LE(value, range) << "after " << (texts.empty() ? "" : texts.back());
        position = value;
        ++dispatches;
    }
    void SetText(const TLString& text) override {
        texts.push_back(text.ToUtf8());
        ++dispatches;
    }
    void DispatchMessages() override { ++dispatches; }
    void SetCancelEnabled(bool enabled) override { cancel_enabled = enabled; }
    bool CancelRequested() const override { return false; }

    std::vector<std::string> headings;
    std::vector<std::string> texts;
    int range = 0;
    int position = 0;
    int dispatches = 0;
    bool cancel_enabled = true;
};

}  // namespace tltest
