// QDTutorial: a box that pages through tutorial pictures with previous, close and next buttons under
// a title picture. Its owner calls Init, then Logic and Draw every frame while isActive is 1.
// A framework widget of the game layer that this game does not use (its tests do).
#pragma once

#include <memory>
#include <string>
#include <vector>

class TImage;
class TMenu;

class QDTutorial {
  public:
    std::vector<std::shared_ptr<TImage>> pages;
    int numPages = 0;
    int currPage = 0;
    int pageAddCounter = 0;
    std::unique_ptr<TMenu> menu;
    int showThisTutorial = 1;
    int posx, posy;
    int width = 0, height = 0;
    int isActive = 0;
    std::shared_ptr<TImage> titleImage;

    QDTutorial();
    ~QDTutorial();

    // Pages prefix + "1" .. prefix + numPages are added when a prefix is given; images come from
    // Game->ImagePath + name + ".png".
    void Init(int showThisTutorial, int numPages, const std::string& pagePrefix,
              const std::string& titleImageName);
    // The new page's index; 0 when every slot is taken, and then nothing is loaded. A picture that does
    // not load leaves its slot empty; paging never stops on an empty slot.
    int AddPage(const std::string& imageName);
    void Logic();
    void Draw();
    void PrevPage();
    void NextPage();
    void Close();
    void selectPage(int page);
};
