// The save-game chooser and its list box.
//
// Layout: the list sits below the caption, inset by BoxBorderH/BoxBorderV, eight rows high; the scroll
// buttons stand at its right edge (or at NavButtonsXPosition), "Up" level with its top row and "Down"
// with its bottom row; "Cancel", "Delete" and "Load" form a row centred along the dialog's bottom edge.
#include "game/SaveGameManager.h"

#include <algorithm>

#include "core/FileUtils.h"
#include "core/Game.h"
#include "core/Input.h"
#include "core/SoundBank.h"
#include "core/StringUtils.h"
#include "game/GameNotice.h"
#include "platform/Draw.h"
#include "platform/FileSystem.h"
#include "platform/Image.h"
#include "presentation/Color.h"
#include "presentation/DrawHelpers.h"
#include "presentation/Font.h"
#include "presentation/MousePointer.h"
#include "presentation/Shapes.h"

namespace {

constexpr int VisibleRows = 8;

}  // namespace

std::unique_ptr<QDListBox> QDListBox::Create(int, int gap, int centred, int drawBox,
                                             int doubleClickMilliseconds) {
    auto list = std::make_unique<QDListBox>();
    list->Init(gap, centred, drawBox);
    list->Font =
        TFont::Create(nullptr, TColor::Create(255, 255, 255, 1.0f), nullptr, 0, nullptr, nullptr, "");
    list->Box = TBox::Create(0, 0, 0, 0, TColor::Create(0, 0, 0, 1.0f));
    list->HighlightCol = TColor::Create(0, 0, 150, 1.0f);
    list->DoubleClickTime = Game->CalcAnimLength(doubleClickMilliseconds);
    return list;
}

void QDListBox::Init(int gap, int centred, int drawBox) {
    Gap = gap;
    Centred = centred;
    DrawBox = drawBox;
}

void QDListBox::SetupFont(std::shared_ptr<TImageFont> font, std::shared_ptr<TColor> color,
                          std::shared_ptr<TShadow> shadow) {
    Font = TFont::Create(std::move(font), std::move(color), std::move(shadow), 0, nullptr, nullptr, "");
    CalcLineHeight();
}

void QDListBox::SetupBox(std::shared_ptr<TColor> color) {
    Box->Color = std::move(color);
}

void QDListBox::SetCoords(float x, float y, float w, float h) {
    Box->X = x;
    Box->Y = y;
    Box->W = w;
    Box->H = h;
    CalcLineHeight();
}

void QDListBox::CalcLineHeight() {
    LineHeight = int(Font ? Font->H : 0) + 2 * Gap;
    if (LineHeight < 1) LineHeight = 1;
    if (RoundHeight) Box->H = float(int(Box->H / float(LineHeight)) * LineHeight);
}

void QDListBox::AddItem(const std::string& text) {
    Strings.push_back(text);
}

void QDListBox::ClearList() {
    Strings.clear();
    ClearIndex();
}

void QDListBox::ClearIndex() {
    Index = -1;
    DoubleClicked = -1;
    Value.clear();
}

void QDListBox::SetIndex(int i) {
    if (i == LastItemInList) i = Count() - 1;
    if (i < 0 || i >= Count()) {
        Index = -1;
        Value.clear();
        return;
    }
    Index = i;
    Value = Strings[std::size_t(i)];
}

void QDListBox::ScrollUp() {
    if (StartList == 0) return;
    --StartList;
    --EndList;
}

void QDListBox::ScrollDown() {
    if (EndList >= Count() - 1) return;
    ++StartList;
    ++EndList;
}

void QDListBox::ResetWindow() {
    StartList = 0;
    EndList = std::max(0, std::min(VisibleRows - 1, Count() - 1));
}

int QDListBox::RowAt(int px, int py) const {
    if (px < Box->X || px >= Box->X + Box->W) return -1;
    for (int r = 0; r <= EndList - StartList; ++r) {
        const float top = Box->Y + float(r * LineHeight);
        if (py >= top && py < top + float(LineHeight)) return r;
    }
    return -1;
}

void QDListBox::Manage() {
    Clicked = -1;
    DoubleClicked = -1;
    TMousePointer& mouse = *Game->Mouse;
    if (mouse.h1 > 0) {
        const int r = RowAt(mouse.x, mouse.y);
        // A row below the last name holds nothing to choose: the click is left alone.
        if (r >= 0 && StartList + r < Count()) {
            mouse.ClearMouseHit();
            const int row = StartList + r;
            if (DoubleClickCounter > 0 && Index == row) {
                DoubleClicked = row;
            } else if (ClickSound) {
                ClickSound->PlayInChannel(ClickChannel, 0);
            }
            Clicked = row;
            SetIndex(row);
            DoubleClickCounter = DoubleClickTime;
        }
    }
    if (DoubleClickCounter > 0) DoubleClickCounter = std::max(0.0f, DoubleClickCounter - Delta);
}

void QDListBox::DrawHighlight(float ox, float oy) {
    if (Index < StartList || Index > EndList || Index < 0) return;
    HighlightCol->Apply();
    DrawRect(Box->X + ox, Box->Y + oy + float((Index - StartList) * LineHeight), Box->W, float(LineHeight));
    TColor::Restore();
}

void QDListBox::Draw(float ox, float oy) {
    if (DrawBox) {
        Box->Color->Apply();
        DrawRect(Box->X + ox, Box->Y + oy, Box->W, Box->H);
        TColor::Restore();
    }
    if (HighlightUnder) DrawHighlight(ox, oy);
    const float textAlpha = TextAlpha;
    Font->Apply();
    const int last = std::min(EndList, Count() - 1);
    for (int i = StartList; i <= last; ++i) {
        const std::string& text = Strings[std::size_t(i)];
        const float rowY =
            Box->Y + oy + float((i - StartList) * LineHeight) + float(LineHeight - int(Font->H)) / 2;
        float textX = Box->X + ox + float(TextBorder);
        if (Centred) textX = Box->X + ox + float(int((Box->W - TextWidth(text)) / 2));
        DrawTextAt(text, float(int(textX)), float(int(rowY)), Font->Shadow ? 1 : 0, 1);
    }
    TColor::Restore();
    TextAlpha = textAlpha;
    if (Font->Shadow) TShadow::Restore();
    if (!HighlightUnder) DrawHighlight(ox, oy);
    SetAlpha(1);
}

void QDListBox::Kill() {
    Strings.clear();
    ClickSound.reset();
    ClickChannel.reset();
}

std::unique_ptr<TSaveGameManager> TSaveGameManager::Create(const std::string& caption,
                                                           std::shared_ptr<TImage> background, int a, int b,
                                                           int c, const std::string& extension,
                                                           const std::string& directory,
                                                           const std::string& deleteMessage) {
    auto manager = std::make_unique<TSaveGameManager>();
    manager->Directory = directory;
    manager->Init(caption, std::move(background), a, 0, b, c);
    manager->ListBox = QDListBox::Create(10, 5, 0, 1, 500);
    manager->MenuCreate(manager->ButtonGap);
    manager->Extension = extension;
    manager->FillList();
    manager->DeleteMessage = deleteMessage;
    return manager;
}

void TSaveGameManager::MenuCreate(int gap) {
    Menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, gap);
    Menu->SetShadow(1, 3.0f, 3.0f, 0.4f);
    for (const char* name : {"Cancel", "Delete", "Load"}) Menu->AddQuick(name, name);
    Menu->MakeRow(gap);
    ListBox->ClickSound = Menu->FindButton("Load")->SoundClick;
    MenuArrowCreate();
}

void TSaveGameManager::MenuArrowCreate() {
    MenuArrowUp = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    MenuArrowUp->SetShadow(1, 3.0f, 3.0f, 0.4f);
    MenuArrowUp->AddQuick("Up", "Up");
    MenuArrowDown = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    MenuArrowDown->SetShadow(1, 3.0f, 3.0f, 0.4f);
    MenuArrowDown->AddQuick("Down", "Down");
}

void TSaveGameManager::CalcSize() {
    TDialog::CalcSize();
    if (!Background) {
        // Without a panel the box is sized around the caption, an eight-row list and the buttons.
        const float caption = CaptionHeight();
        const int rows = (ListBox ? ListBox->LineHeight : 30) * VisibleRows;
        w = std::max(w, 480);
        h = int(caption) + rows + Menu->CalcHeight() + 2 * Border + 2 * BoxBorderV;
        CalcXY();
    }
    BoxSize();
}

void TSaveGameManager::BoxSize() {
    if (!ListBox) return;
    ListBox->CalcLineHeight();
    const int arrowWidth = MenuArrowUp ? MenuArrowUp->CalcWidth() : 0;
    const float left = float(x + BoxBorderH);
    const float top = float(y + Border) + CaptionHeight() + float(BoxBorderV + BoxY);
    float right = float(x + w - BoxBorderH - arrowWidth - 10);
    if (NavButtonsXPosition != -1) right = float(NavButtonsXPosition - 10);
    ListBox->RoundHeight = 0;
    ListBox->SetCoords(left, top, right - left, float(ListBox->LineHeight * VisibleRows));
}

void TSaveGameManager::MenuPosition() {
    CalcAll();
    Menu->SetX(float(MenuGetCentredX()));
    Menu->SetY(float(y + h - Menu->CalcHeight() - Border));
    if (ListBox && MenuArrowUp && MenuArrowDown) {
        const int arrowWidth = MenuArrowUp->CalcWidth();
        const float arrowX =
            NavButtonsXPosition != -1 ? float(NavButtonsXPosition) : float(x + w - BoxBorderH - arrowWidth);
        MenuArrowUp->SetX(arrowX);
        MenuArrowUp->SetY(ListBox->Box->Y);
        MenuArrowDown->SetX(arrowX);
        MenuArrowDown->SetY(ListBox->Box->Y + ListBox->Box->H - float(MenuArrowDown->CalcHeight()));
        MenuArrowUp->ManageNoSound(OffsetX, OffsetY);
        MenuArrowDown->ManageNoSound(OffsetX, OffsetY);
    }
    Menu->ManageNoSound(OffsetX, OffsetY);
}

void TSaveGameManager::FillList() {
    ListBox->ClearList();
    if (const auto entries = ReadDir(Directory)) {
        for (const DirEntry& entry : *entries) {
            if (entry.Kind != EntryKind::File) continue;
            const std::size_t dot = entry.Name.rfind('.');
            if (dot == std::string::npos || dot == 0) continue;
            if (entry.Name.substr(dot + 1) != Extension) continue;
            ListBox->AddItem(entry.Name.substr(0, dot));
        }
    }
    ListBox->ClearIndex();
    ListBox->ResetWindow();
}

std::string TSaveGameManager::SelectedPath() const {
    return Directory + ListBox->Value + "." + Extension;
}

int TSaveGameManager::Manage() {
    if (DialogOK) {
        if (DialogOK->Manage() != 0) {
            DialogOK->Kill();
            DialogOK.reset();
            Menu->ClearStates();
        }
        return 0;
    }
    if (DialogYesNo) {
        const int answer = DialogYesNo->Manage();
        if (answer != 0) {
            DialogYesNo->Kill();
            DialogYesNo.reset();
            Menu->ClearStates();
            if (answer == 1 && ListBox->Index >= 0) {
                const std::string path = SelectedPath();
                const bool gone = EnsureFileDeleted(path);
                FillList();
                // A file that could not be deleted stays listed; the player is told instead of
                // seeing it reappear unexplained.
                if (!gone && ErrorDialogFunc) {
                    DialogOK = ErrorDialogFunc(GameString("Could Not Delete File"));
                }
            }
        }
        return 0;
    }
    if (!Active) return CloseResult;
    if (ManageCore() == 1 && !Active) return CloseResult;
    if (Transitioning) return 0;

    MenuArrowUp->Manage(OffsetX, OffsetY);
    MenuArrowDown->Manage(OffsetX, OffsetY);
    ListBox->Manage();

    if (ListBox->DoubleClicked >= 0) {
        ClickSound();
        return OKClick();
    }
    if (Menu->Clicked("Load")) return OKClick();
    if (GameKeyHit(27)) {
        ClickSound();
        CancelClick();
        return -1;
    }
    if (Menu->Clicked("Cancel")) {
        CancelClick();
        return -1;
    }
    if (Menu->Clicked("Delete")) DeleteSaveGameCheck();
    if (MenuArrowUp->Clicked("Up")) ListBox->ScrollUp();
    if (MenuArrowDown->Clicked("Down")) ListBox->ScrollDown();
    return 0;
}

int TSaveGameManager::OKClick() {
    if (ListBox->Index < 0) return 0;
    FlushInput();
    Close(1);
    return 1;
}

int TSaveGameManager::CancelClick() {
    FlushInput();
    Close(-1);
    return 0;
}

void TSaveGameManager::DeleteSaveGameCheck() {
    if (ListBox->Index < 0) return;
    if (DialogYesNoFunc) DialogYesNo = DialogYesNoFunc(DeleteMessage);
}

void TSaveGameManager::ClickSound() {
    if (TButton* load = Menu->FindButton("Load")) load->PlayClick();
}

int TSaveGameManager::Draw() {
    if (!Active) return 0;
    if (DimWhenActive) DimScreen(0.5f);
    TDialog::Draw();
    ListBox->Draw(OffsetX, OffsetY);
    MenuArrowUp->Draw(OffsetX, OffsetY);
    MenuArrowDown->Draw(OffsetX, OffsetY);
    if (DialogOK || DialogYesNo) {
        if (DimWhenShowingDialogs) DimScreen(0.5f);
        if (DialogOK) DialogOK->Draw();
        if (DialogYesNo) DialogYesNo->Draw();
    }
    return 1;
}

void TSaveGameManager::Kill() {
    if (DialogOK) DialogOK->Kill();
    if (DialogYesNo) DialogYesNo->Kill();
    DialogOK.reset();
    DialogYesNo.reset();
    if (ListBox) ListBox->Kill();
    if (MenuArrowUp) MenuArrowUp->Kill();
    if (MenuArrowDown) MenuArrowDown->Kill();
    MenuArrowUp.reset();
    MenuArrowDown.reset();
    TDialog::Kill();
}
