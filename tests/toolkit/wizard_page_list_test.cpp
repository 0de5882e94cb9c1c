// The way from page to page: passing over pages that ask so, in the direction of travel, making
// each page's window the first time it is reached (also when it is passed over), vetoes, finishing
// past the last page, and pages removed after leaving.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "toolkit/wizard/tl_wizard_page_list.h"

namespace {

using Journal = std::vector<std::string>;

class FakePage : public TLWizardPage {
public:
    FakePage(Journal& journal, std::string name) : journal_(journal), name_(std::move(name)) {}
    bool skip = false;
    bool veto_leave = false;
    bool next_enabled = true;
    bool removed_after_leaving = false;

    bool ShowOnActivate() override {
        journal_.push_back("activate " + name_);
        return !skip;
    }
    bool OnLeaveNext() override {
        journal_.push_back("leave-next " + name_);
        return !veto_leave;
    }
    bool OnLeaveBack() override {
        journal_.push_back("leave-back " + name_);
        return !veto_leave;
    }
    bool OnDeactivate() override {
        journal_.push_back("deactivate " + name_);
        return true;
    }
    bool IsNextEnabled() override { return next_enabled; }
    bool IsRemovedAfterLeaving() override { return removed_after_leaving; }
    const std::string& name() const { return name_; }

private:
    Journal& journal_;
    std::string name_;
};

class FakeWizard : public TLWizardPageList {
public:
    explicit FakeWizard(Journal& journal) : journal_(journal) {}
    bool finish_ends_run = true;
    bool finished = false;
    TLWizardPage* shown = nullptr;
    int timer_restarts = 0;

    bool Finish() override {
        journal_.push_back("finish");
        finished = finish_ends_run;
        return finish_ends_run;
    }

protected:
    void CreatePageWindow(TLWizardPage& page) override {
        auto& fake = static_cast<FakePage&>(page);
        if (created_.insert(&page).second) journal_.push_back("create " + fake.name());
    }
    void ShowPageWindow(TLWizardPage& page, bool show) override {
        if (show)
            shown = &page;
        else if (shown == &page)
            shown = nullptr;
    }
    void RestartClickTimer() override { ++timer_restarts; }
    bool WindowExists() const override { return !finished; }
    void UpdateButtons() override {}
    void Relayout() override {}

private:
    Journal& journal_;
    std::set<TLWizardPage*> created_;
};

class PageList : public ::testing::Test {
protected:
    // Pages "a", "b", ... in the wizard; the journal starts once the first page is shown.
    void Build(int count) {
        for (int i = 0; i < count; ++i) {
            pages.push_back(std::make_unique<FakePage>(journal, std::string(1, static_cast<char>('a' + i))));
            wizard.AddPage(pages.back().get());
        }
    }
    void Start() {
        ASSERT_TRUE(wizard.SetActivePage(0, false));
        journal.clear();
    }
    FakePage& page(int index) { return *pages[index]; }

    Journal journal;
    FakeWizard wizard{journal};
    std::vector<std::unique_ptr<FakePage>> pages;
};

TEST_F(PageList, NextPassesOverPagesThatAskButMakesEachOfThemOnce) {
    Build(4);
    page(1).skip = true;
    page(2).skip = true;
    Start();
    wizard.GoNext();
    EXPECT_EQ(wizard.CurrentIndex(), 3);
    EXPECT_EQ(wizard.shown, &page(3));
    EXPECT_EQ(journal, (Journal{"leave-next a", "deactivate a", "create b", "activate b", "create c", "activate c",
                                "create d", "activate d"}));
    // Back passes over them again, backwards, without making them again.
    journal.clear();
    wizard.GoBack();
    EXPECT_EQ(wizard.CurrentIndex(), 0);
    EXPECT_EQ(journal, (Journal{"leave-back d", "deactivate d", "activate c", "activate b", "activate a"}));
    // The click guard starts again at every page reached, shown or passed over.
    EXPECT_EQ(wizard.timer_restarts, 1 + 3 + 3);
}

TEST_F(PageList, PassingOverTheLastPagesFinishesTheWizard) {
    Build(3);
    page(1).skip = true;
    page(2).skip = true;
    Start();
    EXPECT_TRUE(wizard.SetActivePage(1, true));
    EXPECT_TRUE(wizard.finished);
    EXPECT_EQ(journal.back(), "finish");
}

TEST_F(PageList, AFinishThatDoesNotEndTheRunLeavesTheWizardWhereItWas) {
    Build(2);
    page(1).skip = true;
    wizard.finish_ends_run = false;
    Start();
    EXPECT_FALSE(wizard.SetActivePage(1, true));
    EXPECT_EQ(wizard.CurrentIndex(), 0);
    EXPECT_EQ(wizard.shown, &page(0));
}

TEST_F(PageList, AVetoKeepsThePageAndReachesNothingElse) {
    Build(2);
    Start();
    page(0).veto_leave = true;
    wizard.GoNext();
    EXPECT_EQ(wizard.CurrentIndex(), 0);
    EXPECT_EQ(wizard.shown, &page(0));
    EXPECT_EQ(journal, (Journal{"leave-next a"}));
}

TEST_F(PageList, NextAndBackFollowThePagesButtons) {
    Build(2);
    Start();
    page(0).next_enabled = false;
    wizard.GoNext();
    EXPECT_TRUE(journal.empty());
    // The first page has nowhere to go back to.
    EXPECT_FALSE(page(0).IsBackEnabled());
    wizard.GoBack();
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(wizard.CurrentIndex(), 0);
}

TEST_F(PageList, BackWithNothingToShowBeforeItStaysOnThePage) {
    Build(3);
    page(0).skip = true;
    ASSERT_TRUE(wizard.SetActivePage(0, false));
    ASSERT_EQ(wizard.CurrentIndex(), 1);
    EXPECT_FALSE(wizard.SetActivePage(0, true));
    EXPECT_FALSE(wizard.finished);
    EXPECT_EQ(wizard.CurrentIndex(), 1);
    EXPECT_EQ(wizard.shown, &page(1));
}

TEST_F(PageList, APageRemovedAfterLeavingIsGoneAndTheNextOneFollows) {
    Build(3);
    page(0).removed_after_leaving = true;
    Start();
    wizard.GoNext();
    EXPECT_EQ(wizard.PageCount(), 2);
    EXPECT_EQ(wizard.PageAt(), &page(1));
    EXPECT_EQ(wizard.CurrentIndex(), 0);
    EXPECT_EQ(page(1).IndexInList(), 0);
    EXPECT_EQ(page(0).IndexInList(), -1);
}

TEST_F(PageList, NextSaysFinishOnlyOnTheLastPage) {
    Build(2);
    EXPECT_EQ(page(0).GetNextText(), TLString(u"Next >"));
    EXPECT_EQ(page(1).GetNextText(), TLString(u"Finish"));
    EXPECT_EQ(page(1).GetBackText(), TLString(u"< Back"));
    EXPECT_TRUE(page(1).IsBackEnabled());
    EXPECT_EQ(wizard.PageAt(5), nullptr);
    EXPECT_EQ(wizard.PageAt(), nullptr);
}

TEST(PageListOwnership, OwnedPagesAreDeletedWithTheList) {
    Journal journal;
    auto alive = std::make_shared<int>(0);
    struct Tracked : FakePage {
        Tracked(Journal& journal, std::shared_ptr<int> token) : FakePage(journal, "t"), token_(std::move(token)) {}
        std::shared_ptr<int> token_;
    };
    {
        FakeWizard wizard(journal);
        wizard.AddPage(new Tracked(journal, alive), true);
        EXPECT_EQ(alive.use_count(), 2);
    }
    EXPECT_EQ(alive.use_count(), 1);
}

}  // namespace
