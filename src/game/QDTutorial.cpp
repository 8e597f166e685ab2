// The tutorial pager: page loading, button states, paging with its sounds, and drawing.
#include "game/QDTutorial.h"

#include <algorithm>

#include "core/Game.h"
#include "core/SoundBank.h"
#include "platform/Draw.h"
#include "platform/Image.h"
#include "platform/ImageLoader.h"
#include "presentation/Menu.h"

namespace {

constexpr int ButtonGap = 15;

void PlayBankSound(const std::string& name) {
    if (!SoundBank) return;
    std::shared_ptr<TChannel> channel;
    SoundBank->Find(name)->PlayInChannel(channel, 0);
}

}  // namespace

QDTutorial::QDTutorial() : posx(ScreenWidth / 2), posy(ScreenHeight / 2) {}
QDTutorial::~QDTutorial() = default;

void QDTutorial::Init(int show, int count, const std::string& pagePrefix, const std::string& titleImageName) {
    showThisTutorial = show;
    numPages = std::max(0, count);
    if (!titleImageName.empty()) titleImage = LoadImage(Game->ImagePath + titleImageName + ".png");
    menu = TMenu::Create("", "", 0, 0, 0);
    menu->AddQuick("tutprev", "tutprev");
    TButton* close = menu->AddQuick("tutclose", "tutclose");
    menu->AddQuick("tutnext", "tutnext")->OKButton = 1;
    menu->MakeRow(ButtonGap);
    menu->SetY(float(posy + 160));
    // Close is centred under the page with previous and next beside it; putting both of those at the
    // centre would stack them, and a click meant for next would land on previous.
    TButton* prev = menu->FindButton("tutprev");
    close->x = float(posx - close->w / 2);
    prev->x = close->x - float(ButtonGap + prev->w);
    menu->FindButton("tutnext")->x = close->x + float(close->w + ButtonGap);
    pages.assign(size_t(numPages), nullptr);
    pageAddCounter = 0;
    currPage = 0;
    if (!pagePrefix.empty())
        for (int i = 1; i <= numPages; ++i) AddPage(pagePrefix + std::to_string(i));
    isActive = 1;
}

int QDTutorial::AddPage(const std::string& imageName) {
    if (pageAddCounter >= int(pages.size())) return 0;
    AutoMidHandle(false);
    pages[size_t(pageAddCounter)] = LoadImage(Game->ImagePath + imageName + ".png");
    AutoMidHandle(true);
    const int index = pageAddCounter++;
    if (index == 0) selectPage(0);
    return index;
}

void QDTutorial::Logic() {
    if (!menu) return;
    // The last page is the last one that loaded, so a missing picture can never hide the close button.
    int last = 0;
    for (int page = int(pages.size()) - 1; page > 0; --page)
        if (pages[size_t(page)]) {
            last = page;
            break;
        }
    TButton* prev = menu->FindButton("tutprev");
    TButton* close = menu->FindButton("tutclose");
    TButton* next = menu->FindButton("tutnext");
    prev->Active = currPage > 0 ? 1 : 0;
    next->Active = currPage < last ? 1 : 0;
    close->Active = currPage < last ? 0 : 1;
    menu->Manage(0, 0);
    if (menu->Clicked("tutprev") != 0) PrevPage();
    if (menu->Clicked("tutclose") != 0) Close();
    if (menu->Clicked("tutnext") != 0) NextPage();
}

void QDTutorial::Draw() {
    if (pages.empty()) return;
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(1);
    if (titleImage) DrawImage(titleImage.get(), float(posx), float(posy - 177));
    if (currPage >= 0 && currPage < int(pages.size()) && pages[size_t(currPage)])
        DrawImage(pages[size_t(currPage)].get(), float(posx), float(posy));
    if (menu) menu->Draw(0, 0);
}

void QDTutorial::PrevPage() {
    for (int page = currPage - 1; page >= 0; --page) {
        if (!pages[size_t(page)]) continue;
        currPage = page;
        PlayBankSound("tutprev");
        return;
    }
}

void QDTutorial::NextPage() {
    for (int page = currPage + 1; page < int(pages.size()); ++page) {
        if (!pages[size_t(page)]) continue;
        currPage = page;
        PlayBankSound("tutnext");
        return;
    }
}

void QDTutorial::Close() {
    isActive = 0;
}

void QDTutorial::selectPage(int) {}
