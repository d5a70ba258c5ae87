#include "alarm/SelectRingtoneWnd.h"

#include "BaseLib/WaitCursor.h"
#include "alarm/MediaPlayer.h"
#include "alarm/RingVolume.h"
#include "alarm/RingtoneFolder.h"
#include "resource.h"
#include "ui/Messages.h"

namespace {

// "\Windows\Alarm4.wma" -> folder "\Windows", name "Alarm4.wma"; a path
// without "\" is a name in the root.
void SplitPath(const Str &path, Str *folder, Str *name) {
    const wchar_t *slash = wcsrchr(path.Text(), L'\\');
    if (!slash) {
        *folder = Str();
        *name = path;
        return;
    }
    const int cut = static_cast<int>(slash - path.Text());
    *folder = path.Prefix(cut);
    *name = Str(slash + 1);
}

} // namespace

CSelectRingtoneWnd::CSelectRingtoneWnd()
    : folder_(L"\\"), filter_(RingtoneFilter()), selected_(-1), code_(kVolumeFull), vibrate_(0), volumeOpen_(false),
      slots_() {}

CSelectRingtoneWnd::~CSelectRingtoneWnd() = default;

// Made once and never destroyed: at process exit the control's playback
// threads are already gone, and closing it then waits for them forever, so
// the process would never end.
MediaPlayer &CSelectRingtoneWnd::PreviewPlayer() {
    static MediaPlayer *player = new MediaPlayer;
    return *player;
}

void CSelectRingtoneWnd::SetVolume(int code, int vibrate) {
    code_ = code;
    vibrate_ = vibrate ? 1 : 0;
}

bool CSelectRingtoneWnd::Open(HWND owner, const Str &currentPath, const Slots &slots) {
    slots_ = slots;
    Str folder = folder_, name;
    if (!currentPath.IsEmpty())
        SplitPath(currentPath, &folder, &name);
    if (!ShowOver(owner, L"SelectRingtoneWnd", IDS_RING_SOUND))
        return false;
    Scan(folder);
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name)
            selected_ = static_cast<int>(i);
    ShowRows();
    ScrollToSelection();
    return true;
}

void CSelectRingtoneWnd::Scan(const Str &folder) {
    folder_ = folder.IsEmpty() ? Str(L"\\") : folder;
    selected_ = -1;
    if (folder_ == listed_ && !names_.empty())
        return;
    WaitCursor wait;
    ListRingtones(folder_, filter_, &names_);
    listed_ = folder_;
}

void CSelectRingtoneWnd::ShowRows() { SetRows(kFirstFileRow + static_cast<int>(names_.size())); }

void CSelectRingtoneWnd::ScrollToSelection() {
    if (List() && selected_ >= 0)
        List()->SetOffset(List()->RowRect(kFirstFileRow + selected_).top + List()->Offset());
}

void CSelectRingtoneWnd::StopPreview() { PreviewPlayer().Stop(); }

void CSelectRingtoneWnd::DrawItem(CListWnd *, HDC dc, int row, const RECT &rect, bool pressed, int) {
    const int state = pressed ? kRowPressed : kRowNormal;
    Str text;
    switch (row) {
    case kVolumeRow:
        text.LoadResourceString(IDS_RING_VOLUME_ROW);
        text.Append(L"  ");
        text.Append(VolumeText(code_));
        DrawRow(dc, rect, state, kNoIcon, text, true);
        break;
    case kFileHeadingRow:
        text.LoadResourceString(IDS_RING_FILE);
        DrawRow(dc, rect, kRowNormal, kNoIcon, text, false);
        break;
    case kFolderRow:
        DrawRow(dc, rect, state, kFolderIcon, FolderText(folder_), true);
        break;
    default: {
        const int index = row - kFirstFileRow;
        if (index < 0 || index >= static_cast<int>(names_.size()))
            return;
        DrawRow(dc, rect,
                pressed              ? kRowPressed
                : index == selected_ ? kRowChosen
                                     : kRowNormal,
                kFileIcon, names_[index], false);
    }
    }
}

void CSelectRingtoneWnd::OnItemClick(CListWnd *list, int row, POINT, int) {
    if (row == kVolumeRow) {
        if (!volume_)
            volume_.reset(new CRingVolumeWnd);
        volumeOpen_ = volume_->Open(GetHwnd(), code_, vibrate_);
    } else if (row == kFolderRow) {
        if (!browser_)
            browser_.reset(new CBrowserFolderWnd);
        browser_->Open(GetHwnd(), folder_);
    } else if (row >= kFirstFileRow && row - kFirstFileRow < static_cast<int>(names_.size())) {
        StopPreview();
        selected_ = row - kFirstFileRow;
        list->Repaint();
        Str path;
        if (JoinPath(folder_, names_[selected_], &path))
            PreviewPlayer().Play(path);
    }
}

void CSelectRingtoneWnd::OnRightButton() {
    StopPreview();
    Str path, name;
    if (selected_ >= 0 && selected_ < static_cast<int>(names_.size()) && JoinPath(folder_, names_[selected_], &path))
        name = names_[selected_];
    const Str folder = path.IsEmpty() ? Str() : folder_;
    if (slots_.path)
        *slots_.path = path;
    if (slots_.folder)
        *slots_.folder = folder;
    if (slots_.name)
        *slots_.name = name;
    Hide();
    CPickerList::OnRightButton();
    if (ParentWindow())
        PostMessageW(ParentWindow(), UWM_RINGTONE_PICKED, 0, 0);
}

void CSelectRingtoneWnd::OnLeftButton() {
    StopPreview();
    Hide();
    CPickerList::OnLeftButton();
}

LRESULT CSelectRingtoneWnd::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case UWM_FOLDER_PICKED:
        if (browser_) {
            Scan(browser_->Folder());
            ShowRows();
            ScrollToSelection();
        }
        return 0;
    case WM_ENABLE:
        if (wParam && volumeOpen_ && volume_) {
            volumeOpen_ = false;
            code_ = volume_->Code();
            vibrate_ = volume_->Vibrate();
            if (List())
                List()->RepaintRow(kVolumeRow);
        }
        break;
    }
    return CPickerList::WindowProc(hwnd, msg, wParam, lParam);
}
