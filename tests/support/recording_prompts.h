#pragma once
// Prompts for tests: every question is kept, and answered from a queue of answers (each question's
// safe answer once the queue is empty).

#include <deque>
#include <vector>

#include "core/tools/install_prompts.h"

namespace tltest {

class RecordingPrompts final : public tools::IInstallPrompts {
public:
    int Ask(const tools::Prompt& prompt) override {
        asked.push_back(prompt);
        if (answers.empty()) return prompt.safe_answer;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<tools::Prompt> asked;
    std::deque<int> answers;
};

}  // namespace tltest
