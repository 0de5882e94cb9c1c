#pragma once
// What the download tests share: a folder of files served by the loopback HTTP server (the set-up
// stand-in as "d3dx943.exe" and a data file), the sample distribution's reader library, and a
// progress that records what it is told and can press Cancel once the bar has moved far enough.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/copy/install_progress.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/win_test_support.h"

namespace tltest {

class ServedFiles {
public:
    // In a scratch folder of its own, or in `within` (there is one scratch folder per test).
    explicit ServedFiles(const ScratchFolder* within = nullptr);
    ~ServedFiles();
    ServedFiles(const ServedFiles&) = delete;
    ServedFiles& operator=(const ServedFiles&) = delete;

    const ScratchFolder& scratch() const { return *scratch_; }
    LoopbackHttpServer& server() { return *server_; }
    // The set-up stand-in's bytes, served as "d3dx943.exe", and a data file served as "data.bin".
    const std::string& setup_bytes() const { return setup_bytes_; }
    const std::string& data_bytes() const { return data_bytes_; }
    std::string SetupSha256() const;

private:
    std::optional<ScratchFolder> own_;
    const ScratchFolder* scratch_;
    std::string setup_bytes_;
    std::string data_bytes_;
    TLString program_folder_before_;
    std::unique_ptr<LoopbackHttpServer> server_;
};

class TestProgress final : public engine::IInstallProgress {
public:
    void SetHeading(const TLString& title, const TLString& subtitle) override {
        headings.push_back(title.ToUtf8() + " / " + subtitle.ToUtf8());
    }
    void SetRange(int maximum) override {
        range = maximum;
        position = 0;
    }
    void SetPosition(int value) override {
        EXPECT_GE(value, 0);
        EXPECT_LE(value, range);
        position = value;
        if (cancel_at_position >= 0 && value >= cancel_at_position) cancel_requested = true;
    }
    void SetText(const TLString& text) override { texts.push_back(text.ToUtf8()); }
    void DispatchMessages() override {}
    void SetCancelEnabled(bool enabled) override { cancel_enabled = enabled; }
    bool CancelRequested() const override { return cancel_requested; }
    void* OwnerWindow() const override { return nullptr; }

    std::vector<std::string> headings;
    std::vector<std::string> texts;
    int range = 0;
    int position = 0;
    bool cancel_enabled = false;
    // Cancel is pressed once the bar reaches this position (-1: never).
    int cancel_at_position = -1;
    bool cancel_requested = false;
};

}  // namespace tltest
