// One-shot sprites and their lists: TExplosion plays its frames once and removes itself from its
// TExplosionList; TGameObject is a plain sprite that removes itself from its TGameObjectList when it
// leaves the screen. Lists hold their sprites; a sprite keeps a plain link back to its list.
// Part of the framework; nothing in this game uses it (its tests do).
#pragma once

#include <memory>
#include <vector>

#include "presentation/Sprite.h"

class TExplosionList;
class TGameObjectList;

class TExplosion : public TSprite {
  public:
    TExplosionList* Explosions = nullptr;

    static std::shared_ptr<TExplosion> Create(std::shared_ptr<TGameImage> image, float x, float y);
    void StartAnim(int ms, int frames);
    void Move() override;
    void Manage();
    void Kill() override;
};

class TExplosionList {
  public:
    std::vector<std::shared_ptr<TExplosion>> Items;

    TExplosion* AddNew(float x, float y, std::shared_ptr<TGameImage> image);
    void Draw();
    void Manage();
    void Remove(const TExplosion* explosion);
};

class TGameObject : public TSprite {
  public:
    TGameObjectList* GameObjects = nullptr;

    static std::shared_ptr<TGameObject> Create(std::shared_ptr<TGameImage> image, float x, float y);
    void Move() override;
    void Kill() override;
};

class TGameObjectList {
  public:
    std::vector<std::shared_ptr<TGameObject>> Items;

    TGameObject* AddNew(float x, float y, std::shared_ptr<TGameImage> image);
    void Draw();
    void Move();
    void Kill();
    // Frame 0 of every object written at its position into collision layer 1, the object as its id.
    void Collide();
    void Remove(const TGameObject* object);
};
