// TMenu: an ordered list of buttons that is built, laid out, polled and drawn as one unit. Screens
// and dialogs add buttons by image name, arrange them, call Manage every logic tick and ask
// Clicked("NAME") which button was pressed.
//
// The menu owns its buttons; callers keep plain pointers to them, valid until Kill. Names are held
// upper-cased, so every lookup ignores case.
//
// Used by every screen with buttons and by the dialogs; the core's TScreen drives a screen's menu
// through the front end.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "presentation/Button.h"

class TGameSound;

class TMenu {
  public:
    // The buttons in the order added (the list part of the menu).
    std::vector<std::unique_ptr<TButton>> Items;

    float x = 0, y = 0;
    float OX = 0, OY = 0;
    int w = 0, h = 0;
    std::string MouseOverName;
    std::string ClickedName;
    std::shared_ptr<TGameSound> SoundMouseOver, SoundClick;
    int NextY = 0;
    int Gap = 0;
    int AddGap = 0;
    int NoSound = 0;
    int Shadow = 0;
    float ShadowX = 3.0f, ShadowY = 3.0f;
    float ShadowAlpha = 0.5f;
    int ClearClickedName = 1;
    int ClearMouseOverName = 0;
    int AcceptInput = 1;

    // List access.
    int Count() const { return int(Items.size()); }
    bool IsEmpty() const { return Items.empty(); }
    auto begin() { return Items.begin(); }
    auto end() { return Items.end(); }
    auto begin() const { return Items.begin(); }
    auto end() const { return Items.end(); }
    // Appends a button made elsewhere (for instance a subclass); returns it.
    TButton* AddLast(std::unique_ptr<TButton> button);
    void Clear() { Items.clear(); }

    static std::unique_ptr<TMenu> Create(const std::string& moSound, const std::string& clickSound, float x,
                                         float y, int gap);
    // Sounds come from Game->SoundPath + name + ".wav"; an empty name means none.
    void Init(const std::string& moSound, const std::string& clickSound, float x, float y, int gap);
    void Kill();
    void SetButtonCaptionRoundCoords(int round, int roundX, int roundY);
    void SetShadow(int on, float x, float y, float alpha);
    void ChangeShadow(int on, float x, float y, float alpha);
    void SetAlpha(float alpha);
    void ResetShadow(int on, float x, float y, float alpha);
    TButton* AddNew(const std::string& image, const std::string& imageMO, const std::string& name, int cellW,
                    int cellH, int frames);
    TButton* DoAddNew(const std::string& image, const std::string& imageMO, const std::string& name,
                      int cellW, int cellH, int frames);
    void IncreaseHeight(const TButton* button);
    TButton* AddQuick(const std::string& image, const std::string& name);
    // AddQuick plus image + "_disabled" and image + "_down" (shown 200 ms) when those files exist.
    TButton* AddQuickAuto(const std::string& image, const std::string& name);
    void AddPair(const std::string& image1, const std::string& image2, int gap, const std::string& prefix);
    // nullptr when no button has that name.
    TButton* FindButton(const std::string& name) const;
    void StoreOriginalCoords();
    void SetX(float x);
    void SetY(float y);
    void SetPairX(const std::string& name1, const std::string& name2, int x);
    void ScaleMenu(float sx, float sy);
    void CalcCoords();
    void CalcLeft();
    void CalcTop();
    int CalcWidth();
    int CalcHeight();
    void CentreHoriz();
    void CentreVert();
    void Centre();
    void MakeColumn(int gap);
    void MakeRow(int gap);
    void ClearStates();
    void ClearScale();
    void ClearGlow();
    void ClearMouseClick();
    void ClearMouseOver();
    // 1 when the named button was clicked this tick; the name is consumed when ClearClickedName.
    int Clicked(const std::string& name);
    int MouseOver(const std::string& name);
    void ManageNoSound(float ox, float oy);
    void Precache();
    // 1 when the buttons were polled; 0 while a screen fade runs, input is off or the pointer is off.
    int Manage(float ox, float oy);
    void ManageFixedGlowOnly();
    void ManageScaleOnMO();
    void Draw(float ox, float oy);
};
