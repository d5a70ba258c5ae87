#include "convert/ConvWnd.h"

#include <string>
#include <vector>

#include "BaseLib/FeedbackPulse.h"
#include "BaseLib/Locale.h"
#include "calc/DisplayText.h"
#include "calc/Expression.h"
#include "convert/CmbListEx.h"
#include "convert/ConvMessages.h"
#include "convert/Conversion.h"
#include "convert/DigitPad.h"
#include "convert/Edit.h"
#include "convert/UnitCatalogue.h"
#include "resource.h"
#include "ui/Clipboard.h"
#include "ui/Gdi.h"
#include "ui/Messages.h"
#include "ui/Scaling.h"

namespace {

const COLORREF kConvBackground = RGB(194, 195, 200);
const COLORREF kConvFrame = RGB(45, 66, 138);

// Layout units: sizes, and the vertical centre of each row.
const int kCategoryWidth = 136, kListWidth = 110, kListHeight = 30, kListGap = 5;
const int kFieldHeight = 31;
const int kCategoryCentre = 25, kUnitCentre = 67, kFieldCentre = 107;

RECT Centred(int centreX, int centreY, int width, int height) {
    const int left = centreX - width / 2, top = centreY - height / 2;
    return RECT{left, top, left + width, top + height};
}

void Place(Wnd *window, const RECT &rc) {
    if (window)
        window->Move(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, true);
}

} // namespace

CMyConvWnd::CMyConvWnd(const DWORD *feedbackVibro)
    : feedbackVibro_(feedbackVibro), category_(0), fromIndex_(0), toIndex_(0), fromUnit_(0), toUnit_(0), openPopup_(0),
      focusedList_(0), focusedField_(0) {}

CMyConvWnd::~CMyConvWnd() {
    // The fields' pads and the selectors' lists are children of this window:
    // they go before it.
    fromField_.reset();
    toField_.reset();
    categoryList_.reset();
    fromList_.reset();
    toList_.reset();
}

CMyConvCmb *CMyConvWnd::List(UINT id) const {
    switch (id) {
    case kCategoryListId:
        return categoryList_.get();
    case kFromListId:
        return fromList_.get();
    case kToListId:
        return toList_.get();
    }
    return nullptr;
}

CMyEdit *CMyConvWnd::Field(UINT id) const {
    return id == kFromFieldId ? fromField_.get() : id == kToFieldId ? toField_.get() : nullptr;
}

LRESULT CMyConvWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (drag_.OnMessage(hwnd, msg, lParam))
        return 0;
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case UWM_LIST_CHOSEN:
        OnListChosen(static_cast<UINT>(wParam), static_cast<int>(lParam));
        return 0;
    case UWM_LIST_OPENED:
        OnListOpened(static_cast<UINT>(lParam));
        return 0;
    case UWM_POPUP_SET:
        openPopup_ = static_cast<int>(wParam);
        return 0;
    case UWM_FIELD_TAPPED:
        OnFieldTapped(static_cast<UINT>(lParam));
        return 0;
    case UWM_FIELD_CHANGED:
        openPopup_ = 0;
        ConvertToward(lParam == kFromFieldId ? kToFieldId : kFromFieldId);
        return 0;
    case UWM_DRAG_MOVE:
    case UWM_DRAG_END:
        return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
    case UWM_DRAG_STATE:
        for (CMyEdit *field : {fromField_.get(), toField_.get()}) {
            if (field)
                SendMessageW(field->GetHwnd(), msg, 0, lParam);
        }
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam, lParam);
        return 0;
    case WM_DESTROY:
        fromField_.reset();
        toField_.reset();
        categoryList_.reset();
        fromList_.reset();
        toList_.reset();
        break;
    }
    return CNormalWnd::WindowProc(hwnd, msg, wParam, lParam);
}

// The children get their places at the first layout.
void CMyConvWnd::OnCreate() {
    const RECT none = {0, 0, 1, 1};
    std::unique_ptr<CMyConvCmb> *lists[] = {&categoryList_, &fromList_, &toList_};
    const UINT listIds[] = {kCategoryListId, kFromListId, kToListId};
    for (int i = 0; i < 3; ++i) {
        lists[i]->reset(new CMyConvCmb());
        CMyConvCmb &list = **lists[i];
        list.SetBold(true);
        list.SetBitmaps(PickBitmap(IDB_CONV_CMB_LEFT, IDB_CONV_CMB_LEFT_HI),
                        PickBitmap(IDB_CONV_CMB_MIDDLE, IDB_CONV_CMB_MIDDLE_HI),
                        PickBitmap(IDB_CONV_CMB_RIGHT, IDB_CONV_CMB_RIGHT_HI), CMySkinCmb::kStyleTwoLooks);
        list.CreateSelector(hwnd_, none, listIds[i]);
        list.Show(SW_SHOW);
    }
    fromField_.reset(new CMyEdit(hwnd_, true, false, feedbackVibro_));
    fromField_->CreateField(none, kFromFieldId);
    toField_.reset(new CMyEdit(hwnd_, true, false, feedbackVibro_));
    toField_->CreateField(none, kToFieldId);

    const wchar_t *categories[units::kCategoryCount];
    for (int i = 0; i < units::kCategoryCount; ++i)
        categories[i] = units::CategoryName(i);
    categoryList_->SetEntries(categories, units::kCategoryCount, 0);
    ChooseCategory(0);
    Layout();
}

// Both unit lists get the category's units and select the first; both
// fields start at 0. Nothing is converted.
void CMyConvWnd::ChooseCategory(int category) {
    if (category < 0 || category >= units::kCategoryCount)
        return;
    category_ = category;
    std::vector<const wchar_t *> names;
    for (int i = 0; i < units::kUnitCount; ++i) {
        if (units::Unit(i).category == category)
            names.push_back(units::Unit(i).name);
    }
    // Chosen from elsewhere than the list, the selector is told too.
    if (categoryList_ && categoryList_->Current() != category) {
        const wchar_t *categories[units::kCategoryCount];
        for (int i = 0; i < units::kCategoryCount; ++i)
            categories[i] = units::CategoryName(i);
        categoryList_->SetEntries(categories, units::kCategoryCount, category);
    }
    for (CMyConvCmb *list : {fromList_.get(), toList_.get()}) {
        if (list)
            list->SetEntries(names.data(), static_cast<int>(names.size()), 0);
    }
    for (CMyEdit *field : {fromField_.get(), toField_.get()}) {
        if (field)
            field->SetValue(L"0");
    }
    fromIndex_ = toIndex_ = 0;
    fromUnit_ = toUnit_ = units::ResolveRow(category, 0);
}

void CMyConvWnd::OnListChosen(UINT listId, int row) {
    Pulse();
    openPopup_ = 0;
    focusedList_ = 0;
    switch (listId) {
    case kCategoryListId:
        ChooseCategory(row);
        break;
    case kFromListId:
        fromIndex_ = row;
        fromUnit_ = units::ResolveRow(category_, row);
        ConvertToward(kFromFieldId);
        break;
    case kToListId:
        toIndex_ = row;
        toUnit_ = units::ResolveRow(category_, row);
        ConvertToward(kToFieldId);
        break;
    }
}

void CMyConvWnd::OnListOpened(UINT listId) {
    openPopup_ = static_cast<int>(listId);
    for (CMyEdit *field : {fromField_.get(), toField_.get()}) {
        if (field)
            SendMessageW(field->GetHwnd(), UWM_FIELD_UNFOCUS, 0, 0);
    }
    focusedField_ = 0;
    focusedList_ = static_cast<int>(listId);
}

void CMyConvWnd::OnFieldTapped(UINT fieldId) {
    openPopup_ = static_cast<int>(fieldId);
    Pulse();
    focusedField_ = static_cast<int>(fieldId);
    if (CMyEdit *other = Field(fieldId == kFromFieldId ? kToFieldId : kFromFieldId))
        SendMessageW(other->GetHwnd(), UWM_FIELD_UNFOCUS, 0, 0);
}

void CMyConvWnd::OnKeyDown(WPARAM key, LPARAM flags) {
    if (CMyConvCmb *list = List(focusedList_))
        SendMessageW(list->GetHwnd(), WM_KEYDOWN, key, flags);
    if (CMyEdit *field = Field(focusedField_)) {
        openPopup_ = focusedField_;
        SendMessageW(field->GetHwnd(), WM_KEYDOWN, key, flags);
    }
}

// The source is the other field with its unit. The other way round (toward
// the from-field) the roles of the units swap.
void CMyConvWnd::ConvertToward(UINT targetFieldId) {
    const bool towardTo = targetFieldId == kToFieldId;
    CMyEdit *target = Field(targetFieldId);
    CMyEdit *source = towardTo ? fromField_.get() : toField_.get();
    if (!target || !source)
        return;
    Str result;
    if (units::ConvertText(towardTo ? fromUnit_ : toUnit_, towardTo ? toUnit_ : fromUnit_, source->Value(), &result))
        target->SetValue(result);
}

void CMyConvWnd::Pulse() const {
    if (feedbackVibro_ && *feedbackVibro_)
        FeedbackPulse();
}

int CMyConvWnd::CloseOverlay() {
    bool closed = false;
    if (CMyConvCmb *list = List(openPopup_))
        closed = list->CloseList();
    else if (CMyEdit *field = Field(openPopup_))
        closed = field->ClosePad();
    openPopup_ = 0;
    return closed ? 1 : 0;
}

void CMyConvWnd::Layout() {
    if (!hwnd_)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const int centre = client.right / 2;
    Place(categoryList_.get(), Centred(centre, ScaleY(kCategoryCentre), ScaleX(kCategoryWidth), ScaleY(kListHeight)));
    // The unit lists and fields stand as a pair, the from-side on the left.
    const int pair = 2 * ScaleX(kListWidth) + ScaleX(kListGap);
    const int leftX = centre - pair / 2 + ScaleX(kListWidth) / 2;
    const int rightX = leftX + ScaleX(kListWidth) + ScaleX(kListGap);
    Place(fromList_.get(), Centred(leftX, ScaleY(kUnitCentre), ScaleX(kListWidth), ScaleY(kListHeight)));
    Place(toList_.get(), Centred(rightX, ScaleY(kUnitCentre), ScaleX(kListWidth), ScaleY(kListHeight)));
    Place(fromField_.get(), Centred(leftX, ScaleY(kFieldCentre), ScaleX(kListWidth), ScaleY(kFieldHeight)));
    Place(toField_.get(), Centred(rightX, ScaleY(kFieldCentre), ScaleX(kListWidth), ScaleY(kFieldHeight)));
    for (CMyConvCmb *list : {categoryList_.get(), fromList_.get(), toList_.get()}) {
        if (list)
            list->FitListToOwner();
    }
    for (CMyEdit *field : {fromField_.get(), toField_.get()}) {
        if (field && field->Pad())
            field->Pad()->Move(0, 0, client.right, client.bottom, true);
    }
    Redraw();
}

void CMyConvWnd::Paint(HDC dc, const RECT &client) {
    FillSolid(dc, client, kConvBackground);
    Brush frame(CreateSolidBrush(kConvFrame));
    FrameRect(dc, &client, frame.get());
}

bool CMyConvWnd::Copy() {
    CMyEdit *field = Field(focusedField_) ? Field(focusedField_) : fromField_.get();
    if (!field)
        return false;
    return ui::PutClipboardText(hwnd_, EntryToDisplay(field->Value(), DecimalSeparator()));
}

bool CMyConvWnd::Paste() {
    const Str text = ui::ClipboardText(hwnd_);
    double value = 0;
    if (text.IsEmpty() || !EvaluateExpression(text, &value))
        return false;
    const UINT fieldId = Field(focusedField_) ? focusedField_ : kFromFieldId;
    Field(fieldId)->SetValue(units::ResultText(value));
    ConvertToward(fieldId == kFromFieldId ? kToFieldId : kFromFieldId);
    return true;
}
