// Explosions and game objects. The lists walk a copy of their items, because a sprite may remove
// itself from its list while the list is being walked.
#include "presentation/Explosion.h"

#include <algorithm>

#include "core/FixedRateLogic.h"
#include "core/Game.h"
#include "platform/Draw.h"
#include "presentation/GameImage.h"

std::shared_ptr<TExplosion> TExplosion::Create(std::shared_ptr<TGameImage> image, float x, float y) {
    auto explosion = std::make_shared<TExplosion>();
    explosion->SetImage(std::move(image));
    explosion->SetPosition(x, y);
    return explosion;
}

void TExplosion::StartAnim(int ms, int frames) {
    AnimLength = int(Game->CalcAnimLength(ms));
    AnimCounter = float(AnimLength);
    FramesTotal = frames;
}

void TExplosion::Move() {
    TSprite::Move();
}

void TExplosion::Manage() {
    Move();
    ManageScale();
    ManageRotation();
    AnimCounter -= Delta;
    if (AnimCounter <= 0) Kill();
}

void TExplosion::Kill() {
    TSprite::Kill();
    if (TExplosionList* list = Explosions) {
        Explosions = nullptr;
        list->Remove(this);
    }
}

TExplosion* TExplosionList::AddNew(float x, float y, std::shared_ptr<TGameImage> image) {
    auto explosion = TExplosion::Create(std::move(image), x, y);
    explosion->Explosions = this;
    Items.push_back(explosion);
    return explosion.get();
}

void TExplosionList::Draw() {
    for (const auto& item : std::vector(Items)) item->Draw();
}

void TExplosionList::Manage() {
    for (const auto& item : std::vector(Items)) item->Manage();
}

void TExplosionList::Remove(const TExplosion* explosion) {
    std::erase_if(Items, [&](const auto& item) { return item.get() == explosion; });
}

std::shared_ptr<TGameObject> TGameObject::Create(std::shared_ptr<TGameImage> image, float x, float y) {
    auto object = std::make_shared<TGameObject>();
    object->SetImage(std::move(image));
    object->SetPosition(x, y);
    return object;
}

void TGameObject::Move() {
    TSprite::Move();
    if (OutOfBounds()) Kill();
}

void TGameObject::Kill() {
    TSprite::Kill();
    if (TGameObjectList* list = GameObjects) {
        GameObjects = nullptr;
        list->Remove(this);
    }
}

TGameObject* TGameObjectList::AddNew(float x, float y, std::shared_ptr<TGameImage> image) {
    auto object = TGameObject::Create(std::move(image), x, y);
    object->GameObjects = this;
    Items.push_back(object);
    return object.get();
}

void TGameObjectList::Draw() {
    for (const auto& item : std::vector(Items)) item->Draw();
}

void TGameObjectList::Move() {
    for (const auto& item : std::vector(Items)) item->Move();
}

void TGameObjectList::Kill() {
    for (const auto& item : std::vector(Items)) item->Kill();
}

void TGameObjectList::Collide() {
    for (const auto& item : Items)
        if (item->image && item->image->image)
            CollideImage(item->image->image.get(), float(int(item->x)), float(int(item->y)), 0, 0, 1,
                         item.get());
}

void TGameObjectList::Remove(const TGameObject* object) {
    std::erase_if(Items, [&](const auto& item) { return item.get() == object; });
}
