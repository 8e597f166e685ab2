// Particles, particle lists and generators.
#include "presentation/Particles.h"

#include <algorithm>

#include "core/FixedRateLogic.h"
#include "core/Game.h"
#include "platform/Draw.h"

void TParticlePhase::SetFade(int in, int sustain, int out) {
    FadeInMS = float(in);
    FadeSustainMS = float(sustain);
    FadeMS = float(out);
}

std::shared_ptr<TParticle> TParticle::CreateSpecial(std::shared_ptr<TGameImage> image, float x, float y,
                                                    float dx, float dy, float ygravity, float fadeMs,
                                                    int lightBlend, int rotate, float rotationSpeed,
                                                    float scale, float scaleSpeed, int lifeMs) {
    auto p = std::make_shared<TParticle>();
    p->SetImage(std::move(image));
    p->x = x;
    p->y = y;
    p->dx = dx;
    p->dy = dy;
    if (lifeMs > 0) p->LifeCounter = Game->CalcAnimLength(lifeMs);
    p->FadeLength = Game->CalcAnimLength(int(fadeMs));
    p->FadeCounter = p->FadeLength;
    if (p->FadeCounter > 0) p->UseAlpha = 1;
    p->DoLightBlend = lightBlend;
    p->ygravity = ygravity;
    p->DoRotate = rotate;
    p->RotationSpeed = rotationSpeed;
    p->ScaleX = scale;
    p->ScaleY = scale;
    if (scaleSpeed != 0) {
        p->ScaleXSpeed = scaleSpeed;
        p->ScaleYSpeed = scaleSpeed;
        p->DoScale = 1;
    }
    p->active = 1;
    return p;
}

int TParticle::Draw() {
    if (active == 0 || Hidden != 0) return 0;
    if (FadeCounter > 0) {
        // A fade of no length has already ended: full after a fade-in, gone after a fade-out.
        if (FadeIn != 0) {
            Alpha = FadeInLength > 0 ? FadeCounter / FadeInLength : 1.0f;
        } else {
            Alpha = FadeLength > 0 ? FadeCounter / FadeLength : 0.0f;
        }
    }
    if (DoLightBlend != 0) SetBlend(LIGHTBLEND);
    const int drawn = TSprite::Draw();
    if (DoLightBlend != 0) SetBlend(ALPHABLEND);
    return drawn;
}

void TParticle::Kill() {
    if (killed_) return;
    killed_ = true;
    std::shared_ptr<TParticle> self = weak_from_this().lock();  // stays alive to the end of this call
    TSprite::Kill();
    if (UserKill) UserKill(this);
    active = 0;
    if (Particles != nullptr) Particles->Remove(this);
    Particles = nullptr;
    ParticleGenerator.reset();
    if (AttachedParticle) {
        if (KillAttachedParticle == 1) AttachedParticle->Kill();
        AttachedParticle.reset();
    }
    DataObject.reset();
}

void TParticle::Move() {
    MoveParticle();
}

int TParticle::MoveParticle() {
    std::shared_ptr<TParticle> self = weak_from_this().lock();
    if (DelayCounter > 0) {
        DelayCounter -= Delta;
        if (DelayCounter > 0) {
            Hidden = 1;
            return 1;
        }
        DelayCounter = 0;
        Hidden = 0;
        if (!PhaseList.empty()) StartPhases();
        if (DelayFinished) DelayFinished(this);
    }
    if (!PhaseList.empty() && ManagePhases() == -1) {
        Kill();
        return 0;
    }
    if (UserMove) {
        UserMove(this);
    } else if (UpdateOriginalCoords != 0) {
        MoveOriginalCoords();
    } else {
        TSprite::Move();
    }
    if (DestinationReached) {
        bool xReached = dx <= 0 ? x <= float(DestX) : x >= float(DestX);
        bool yReached = dy <= 0 ? y <= float(DestY) : y >= float(DestY);
        if (xReached && yReached) DestinationReached(this);
    }
    if (NoOutOfBounds == 0 && OutOfBounds() != 0) {
        Kill();
        return 0;
    }
    if (FadeIn != 0) {
        FadeCounter += Delta;
        if (FadeCounter >= FadeInLength) {
            FadeCounter = FadeLength;
            FadeIn = 0;
            Alpha = 1;
        }
    } else if (FadeSustainCounter > 0) {
        FadeSustainCounter -= Delta;
        if (FadeSustainCounter <= 0) {
            FadeSustainCounter = 0;
            FadeCounter = FadeLength;
        }
    } else if (FadeCounter > 0) {
        FadeCounter -= Delta;
        if (FadeCounter <= 0) {
            Alpha = 0;
            if (KillOnFade != 0) Kill();
        }
    }
    if (DoRotate == 1) {
        Rotation += RotationSpeed * Delta;
        if (Rotation >= 360) Rotation -= 360;
    } else if (DoRotate == -1) {
        Rotation -= RotationSpeed * Delta;
        if (Rotation < 0) Rotation += 360;
    }
    if (DoScale == 1) {
        ScaleX += ScaleXSpeed * Delta;
        ScaleY += ScaleYSpeed * Delta;
        if (ScaleX <= 0 || ScaleY <= 0) Kill();
    }
    if (LifeCounter > 0) {
        LifeCounter -= Delta;
        if (LifeCounter <= 0) Kill();
    }
    if (ParticleGenerator) ParticleGenerator->Manage();
    return 1;
}

void TParticle::SetDelay(int ms) {
    DelayCounter = Game->CalcAnimLength(ms);
    if (DelayCounter > 0) Hidden = 1;
}

TParticlePhase* TParticle::AddPhase(int ms) {
    auto phase = std::make_shared<TParticlePhase>();
    phase->Length = Game->CalcAnimLength(ms);
    PhaseList.push_back(phase);
    return phase.get();
}

void TParticle::StartPhases() {
    if (!PhaseList.empty()) ApplyPhase(PhaseList.front().get());
}

void TParticle::ApplyPhase(TParticlePhase* phase) {
    if (phase == nullptr) return;
    PhaseCounter = 0;
    CurrentPhase = phase;
    Hidden = phase->Hidden;
    dx = phase->dx;
    dy = phase->dy;
    if (phase->SetCoords == 1) {
        x = phase->SetX;
        y = phase->SetY;
    }
    xgravity = phase->xgravity;
    ygravity = phase->ygravity;
    SetFade(int(phase->FadeInMS), int(phase->FadeSustainMS), int(phase->FadeMS));
    DoRotate = phase->DoRotate;
    RotationSpeed = phase->RotationSpeed;
    DoScale = phase->DoScale;
    ScaleXSpeed = phase->ScaleSpeed;
    ScaleYSpeed = phase->ScaleSpeed;
    if (phase->Scale != 0) {
        ScaleX = phase->Scale;
        ScaleY = phase->Scale;
    }
    if (phase->Alpha != -1) Alpha = float(phase->Alpha);
    if (phase->SetAngle != 0) Rotation = phase->Angle;
}

void TParticle::SetFade(int in, int sustain, int out) {
    if (in > 0) {
        FadeIn = 1;
        UseAlpha = 1;
        Alpha = 0;
    } else {
        FadeIn = 0;
    }
    FadeInLength = Game->CalcAnimLength(in);
    FadeSustainCounter = Game->CalcAnimLength(sustain);
    FadeLength = Game->CalcAnimLength(out);
    if (FadeIn == 0) {
        FadeCounter = FadeLength;
        UseAlpha = 1;
    } else {
        FadeCounter = 0;
    }
}

int TParticle::ManagePhases() {
    if (CurrentPhase == nullptr) return 0;
    PhaseCounter += Delta;
    if (PhaseCounter < CurrentPhase->Length) return 0;
    TParticlePhase* ended = CurrentPhase;
    if (ended->UserFunction) ended->UserFunction(this);
    auto it =
        std::find_if(PhaseList.begin(), PhaseList.end(), [&](const auto& p) { return p.get() == ended; });
    if (it == PhaseList.end() || std::next(it) == PhaseList.end()) return -1;
    ApplyPhase(std::next(it)->get());
    return 1;
}

void TParticle::KillPhases() {
    PhaseList.clear();
    CurrentPhase = nullptr;
    PhaseCounter = 0;
}

// ---- list ----

template <typename F>
void TParticleList::Walk(F&& f) {
    ++walking_;
    for (size_t i = 0; i < items_.size(); ++i) {
        std::shared_ptr<TParticle> p = items_[i];  // alive for the step even if it leaves the list
        if (p) f(*p);
    }
    if (--walking_ == 0) {
        if (holes_) {
            std::erase(items_, nullptr);
            holes_ = false;
        }
        if (!pendingFront_.empty()) {
            items_.insert(items_.begin(), pendingFront_.rbegin(), pendingFront_.rend());
            pendingFront_.clear();
        }
    }
}

void TParticleList::AddLast(std::shared_ptr<TParticle> particle) {
    if (particle) items_.push_back(std::move(particle));
}

void TParticleList::AddFirst(std::shared_ptr<TParticle> particle) {
    if (!particle) return;
    if (walking_ > 0) {
        pendingFront_.push_back(std::move(particle));
    } else {
        items_.insert(items_.begin(), std::move(particle));
    }
}

bool TParticleList::Remove(const TParticle* particle) {
    auto matches = [&](const std::shared_ptr<TParticle>& p) { return p.get() == particle; };
    auto pending = std::find_if(pendingFront_.begin(), pendingFront_.end(), matches);
    if (pending != pendingFront_.end()) {
        pendingFront_.erase(pending);
        return true;
    }
    auto it = std::find_if(items_.begin(), items_.end(), matches);
    if (it == items_.end()) return false;
    if (walking_ > 0) {
        it->reset();
        holes_ = true;
    } else {
        items_.erase(it);
    }
    return true;
}

void TParticleList::Clear() {
    for (auto& p : items_)
        if (p) p->Particles = nullptr;
    for (auto& p : pendingFront_) p->Particles = nullptr;
    pendingFront_.clear();
    if (walking_ > 0) {
        for (auto& p : items_) p.reset();
        holes_ = true;
    } else {
        items_.clear();
    }
}

int TParticleList::Count() const {
    return int(std::count_if(items_.begin(), items_.end(), [](const auto& p) { return p != nullptr; }) +
               pendingFront_.size());
}

std::vector<std::shared_ptr<TParticle>> TParticleList::Items() const {
    std::vector<std::shared_ptr<TParticle>> out(pendingFront_.rbegin(), pendingFront_.rend());
    for (const auto& p : items_)
        if (p) out.push_back(p);
    return out;
}

std::shared_ptr<TParticle> TParticleList::AddNew(int x, int y, std::shared_ptr<TGameImage> image, float dx,
                                                 float dy, float ygravity, float fadeMs, int lightBlend,
                                                 int rotate, float rotationSpeed, float scale,
                                                 float scaleSpeed, int lifeMs, int addFirst) {
    auto p = TParticle::CreateSpecial(std::move(image), float(x), float(y), dx, dy, ygravity, fadeMs,
                                      lightBlend, rotate, rotationSpeed, scale, scaleSpeed, lifeMs);
    p->Particles = this;
    if (addFirst == 1) {
        AddFirst(p);
    } else {
        AddLast(p);
    }
    return p;
}

void TParticleList::Draw() {
    Walk([](TParticle& p) { p.Draw(); });
}

void TParticleList::Move() {
    Walk([](TParticle& p) { p.MoveParticle(); });
}

void TParticleList::Animate() {
    Walk([](TParticle& p) {
        if (p.DelayCounter == 0) p.ManageAnim();
    });
}

void TParticleList::Manage() {
    Walk([](TParticle& p) {
        p.MoveParticle();
        if (p.Killed()) return;
        if (p.DelayCounter == 0 && p.ManageAnim() != 0 && p.KillAfterAnim != 0) p.Kill();
    });
}

void TParticleList::FadeAll(int ms) {
    Walk([ms](TParticle& p) {
        p.FadeLength = Game->CalcAnimLength(ms);
        p.FadeCounter = p.FadeLength;
        p.UseAlpha = 1;
    });
}

void TParticleList::SetUseAlpha(int flag) {
    Walk([flag](TParticle& p) { p.UseAlpha = flag; });
}

void TParticleList::SetBaseScale(float sx, float sy) {
    Walk([sx, sy](TParticle& p) {
        p.BaseScaleX = sx;
        p.BaseScaleY = sy;
    });
}

void TParticleList::EnableUpdateOriginalCoords() {
    Walk([](TParticle& p) {
        if (p.UpdateOriginalCoords != 0) return;
        p.StoreOriginalCoords();
        p.UpdateOriginalCoords = 1;
    });
}

void TParticleList::ScaleCoords() {
    Walk([](TParticle& p) { p.ScaleOriginalCoords(); });
}

void TParticleList::AddOffsets(float ox, float oy) {
    Walk([ox, oy](TParticle& p) {
        p.x += ox;
        p.y += oy;
    });
}

void TParticleList::ProcessScale(float sx, float sy, float ox, float oy) {
    Walk([=](TParticle& p) {
        p.BaseScaleX = sx;
        p.BaseScaleY = sy;
        p.x = p.ox * sx + ox;
        p.y = p.oy * sy + oy;
    });
}

void TParticleList::Collide() {
    Walk([](TParticle& p) {
        if (p.image) CollideImage(p.image->image.get(), float(int(p.x)), float(int(p.y)), 0, 0, 1, &p);
    });
}

// ---- generators ----

std::shared_ptr<TParticleGenerator> TParticleGenerator::Create(float x, float y, int quantity,
                                                               float intervalMs,
                                                               std::function<void(TParticleGenerator*)> make,
                                                               int data1, int data2, int makeFirstNow) {
    auto g = std::make_shared<TParticleGenerator>();
    g->x = x;
    g->y = y;
    g->Qty = quantity - 1;
    g->Interval = Game->CalcAnimLengthFromFloat(intervalMs);
    g->IntervalCounter = g->Interval;
    g->MakeParticleFunction = std::move(make);
    g->Data1 = data1;
    g->Data2 = data2;
    if (makeFirstNow != 0 && g->MakeParticleFunction) g->MakeParticleFunction(g.get());
    return g;
}

// A generator stops once nothing is left to emit; one made with a quantity of 1 or less has emitted all
// it had (its first particle at most) instead of emitting for ever.
int TParticleGenerator::Manage() {
    if (Active == 0) return -1;
    x += dx * Delta;
    y += dy * Delta;
    if (IntervalCounter > 0) {
        IntervalCounter -= Delta;
        while (IntervalCounter <= 0) {
            if (Qty <= 0) {
                Active = 0;
                return 1;
            }
            IntervalCounter += Interval;
            --Qty;
            if (MakeParticleFunction) MakeParticleFunction(this);
            if (Qty <= 0) {
                Active = 0;
                return 1;
            }
        }
    }
    return 0;
}

std::shared_ptr<TParticleGenerator> TParticleGeneratorList::Add(
    float x, float y, int quantity, float intervalMs, std::function<void(TParticleGenerator*)> make) {
    auto g = TParticleGenerator::Create(x, y, quantity, intervalMs, std::move(make), 0, 0, 1);
    if (g->Qty > 0) items_.push_back(g);
    return g;
}

void TParticleGeneratorList::Manage() {
    std::vector<std::shared_ptr<TParticleGenerator>> walk = items_;
    for (auto& g : walk)
        if (g->Manage() == 1) std::erase(items_, g);
}
