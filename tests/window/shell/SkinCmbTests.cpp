// The skinned selector: choosing an entry, the tap that opens the drop-down
// list (made once, refilled later), sliding off, keys for the open list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ShellTestSupport.h"
#include "resource.h"
#include "ui/SkinCmb.h"

using namespace shelltest;

namespace {

// Stands in for the converter's list: a child of the owner that records its
// fillings and the keys it gets.
class FakeList : public ISkinCmbList {
public:
    FakeList(HWND owner, const RECT &area) : window(area, owner, 777) { ShowWindow(window.hwnd(), SW_HIDE); }
    HWND ListWindow() const override { return window.hwnd(); }
    void SetEntries(const Str *entries, int count, int current) override {
        fills.push_back({count > 0 ? std::wstring(entries[0].Text()) : L"", count, current});
    }
    struct Fill {
        std::wstring first;
        int count, current;
    };
    Recorder window;
    std::vector<Fill> fills;
};

class TestSkinCmb : public CMySkinCmb {
public:
    int made = 0;
    RECT madeOver = {};
    FakeList *list = nullptr; // owned by the selector

protected:
    ISkinCmbList *MakeDropDownList(HWND owner, const RECT &ownerClient) override {
        ++made;
        madeOver = ownerClient;
        list = new FakeList(owner, ownerClient);
        return list;
    }
};

const UINT kSelectorId = 4242;
const wchar_t *const kUnits[] = {L"Metre", L"Kilometre", L"Mile"};

struct SelectorFixture {
    Recorder owner{RECT{0, 0, 220, 200}};
    TestSkinCmb selector;
    HWND window = nullptr;

    SelectorFixture() {
        window = selector.CreateSelector(owner.hwnd(), RECT{10, 10, 130, 34}, kSelectorId);
        selector.SetBitmaps(IDB_BOTTOM_LEFT, IDB_BOTTOM_MIDDLE, IDB_BOTTOM_RIGHT, CMySkinCmb::kStyleSingle);
        selector.SetEntries(kUnits, 3, 1);
        selector.Show(SW_SHOW);
    }
};

TEST(SkinCmb, SelectStoresTheIndexAndTellsTheOwner) {
    SelectorFixture f;
    SendMessageW(f.window, UWM_LIST_CHOSEN, 2, 0);
    EXPECT_EQ(f.selector.Current(), 2);
    ASSERT_EQ(f.owner.Count(UWM_LIST_CHOSEN), 1);
    EXPECT_EQ(f.owner.Last(UWM_LIST_CHOSEN)->wParam, kSelectorId);
    EXPECT_EQ(f.owner.Last(UWM_LIST_CHOSEN)->lParam, 2);

    // An index that names no entry is passed on but shows nothing.
    SendMessageW(f.window, UWM_LIST_CHOSEN, 7, 0);
    EXPECT_EQ(f.selector.Entry(f.selector.Current()), nullptr);
}

TEST(SkinCmb, FirstTapMakesTheListLaterTapsRefillIt) {
    SelectorFixture f;
    Tap(f.window, 20, 10);
    EXPECT_EQ(f.owner.Sequence(), (std::vector<UINT>{UWM_POPUP_SET, UWM_LIST_OPENED}))
        << "the tap is reported, then the list is about to be made";
    EXPECT_EQ(f.owner.Last(UWM_POPUP_SET)->wParam, kSelectorId);
    EXPECT_EQ(f.owner.Last(UWM_LIST_OPENED)->lParam, static_cast<LPARAM>(kSelectorId));
    ASSERT_EQ(f.selector.made, 1);
    EXPECT_EQ(f.selector.madeOver.right, 220) << "over the owner's whole client area";
    EXPECT_EQ(f.selector.madeOver.bottom, 200);
    ASSERT_TRUE(f.selector.IsListOpen());
    ASSERT_EQ(f.selector.list->fills.size(), 1u);
    EXPECT_EQ(f.selector.list->fills[0].first, L"Metre");
    EXPECT_EQ(f.selector.list->fills[0].count, 3);
    EXPECT_EQ(f.selector.list->fills[0].current, 1);
    EXPECT_EQ(GetWindow(f.owner.hwnd(), GW_CHILD), f.selector.list->ListWindow()) << "on top of the owner's children";

    EXPECT_TRUE(f.selector.CloseList());
    EXPECT_FALSE(f.selector.CloseList()) << "already closed";
    f.owner.Clear();
    SendMessageW(f.window, UWM_LIST_CHOSEN, 0, 0);
    Tap(f.window, 20, 10);
    EXPECT_EQ(f.owner.Count(UWM_LIST_OPENED), 0) << "the list exists";
    EXPECT_EQ(f.selector.made, 1);
    ASSERT_EQ(f.selector.list->fills.size(), 2u);
    EXPECT_EQ(f.selector.list->fills[1].current, 0) << "refilled with the new index";
    EXPECT_TRUE(f.selector.IsListOpen());
}

TEST(SkinCmb, SlidingOffGivesThePressUp) {
    SelectorFixture f;
    Press(f.window, 20, 10);
    EXPECT_TRUE(f.selector.IsPressed());
    MoveTo(f.window, 60, 12);
    EXPECT_TRUE(f.selector.IsPressed()) << "still on the selector";
    MoveTo(f.window, 60, 40);
    EXPECT_FALSE(f.selector.IsPressed());
    EXPECT_NE(GetCapture(), f.window);
    Release(f.window, 20, 10);
    EXPECT_EQ(f.owner.Count(UWM_POPUP_SET), 0);
    EXPECT_EQ(f.selector.made, 0);
}

TEST(SkinCmb, KeysGoToTheOpenListOnly) {
    SelectorFixture f;
    SendMessageW(f.window, WM_KEYDOWN, VK_DOWN, 0); // no list yet
    Tap(f.window, 20, 10);
    SendMessageW(f.window, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(f.selector.list->window.Count(WM_KEYDOWN), 1);
    f.selector.CloseList();
    SendMessageW(f.window, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(f.selector.list->window.Count(WM_KEYDOWN), 1) << "a closed list gets no keys";
}

TEST(SkinCmb, OpenListFollowsTheOwnersSize) {
    SelectorFixture f;
    Tap(f.window, 20, 10);
    MoveWindow(f.owner.hwnd(), 0, 0, 180, 150, TRUE);
    f.selector.FitListToOwner();
    const RECT rc = ChildRect(f.selector.list->ListWindow());
    EXPECT_EQ(rc.right, 180);
    EXPECT_EQ(rc.bottom, 150);
}

} // namespace
