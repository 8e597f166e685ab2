// Particles: short-lived sprites that move with speed and gravity, fade in, hold and fade out, spin,
// scale, live for a limited time, may wait hidden first and may run through timed phases; lists that
// own, move and draw them; generators that emit them at an interval.
//
// A list keeps its particles alive while it walks them. A particle that dies during a walk (killed by
// its own step or as another's attachment) leaves the list at once: its slot is emptied, never visited
// again, and the list closes the gap when the walk ends. Killing is idempotent.
//
// Used by the mouse pointer's sparkle trail and the board and menu screens' effects.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "presentation/Sprite.h"

class TParticle;
class TParticleList;
class TParticleGenerator;

using TParticleFunction = std::function<void(TParticle*)>;

class TParticlePhase {
  public:
    float Length = 0;
    int Hidden = 0;
    float dx = 0, dy = 0;
    int SetCoords = 0;
    float SetX = 0, SetY = 0;
    float xgravity = 0, ygravity = 0;
    float FadeInMS = 0, FadeSustainMS = 0, FadeMS = 0;
    int DoRotate = 0;
    float RotationSpeed = 0;
    int SetAngle = 0;
    float Angle = 0;
    int DoScale = 0;
    float ScaleSpeed = 0;
    float Scale = 0;
    int Alpha = -1;
    TParticleFunction UserFunction;

    void SetFade(int in, int sustain, int out);
};

class TParticle : public TSprite, public std::enable_shared_from_this<TParticle> {
  public:
    TParticleList* Particles = nullptr;
    int Hidden = 0;
    float LifeCounter = 0;
    float FadeIn = 0;
    float FadeSustainCounter = 0;
    float FadeCounter = 0;
    float FadeInLength = 0;
    float FadeLength = 0;
    int DoLightBlend = 0;
    int DoRotate = 0;
    int DoScale = 0;
    int Data1 = 0, Data2 = 0, Data3 = 0;
    std::shared_ptr<void> DataObject;
    float FloatData1 = 0;
    std::vector<std::shared_ptr<TParticlePhase>> PhaseList;
    TParticlePhase* CurrentPhase = nullptr;
    float PhaseCounter = 0;
    int NoOutOfBounds = 0;
    int KillOnFade = 1;
    int KillAfterAnim = 0;
    float DelayCounter = 0;
    TParticleFunction DelayFinished;
    int UpdateOriginalCoords = 0;
    TParticleFunction UserMove;
    TParticleFunction DestinationReached;
    int DestX = 0, DestY = 0;
    TParticleFunction UserKill;
    std::shared_ptr<TParticleGenerator> ParticleGenerator;
    std::shared_ptr<TParticle> AttachedParticle;
    int KillAttachedParticle = 1;

    int Draw() override;
    void Kill() override;
    void Move() override;
    // One logic step; 0 when the particle was killed for its phases ending or leaving the screen, else 1.
    int MoveParticle();

    static std::shared_ptr<TParticle> CreateSpecial(std::shared_ptr<TGameImage> image, float x, float y,
                                                    float dx, float dy, float ygravity, float fadeMs,
                                                    int lightBlend, int rotate, float rotationSpeed,
                                                    float scale, float scaleSpeed, int lifeMs);
    void SetDelay(int ms);
    TParticlePhase* AddPhase(int ms);
    void StartPhases();
    void ApplyPhase(TParticlePhase* phase);
    void SetFade(int in, int sustain, int out);
    // 0 while the phase runs, 1 when the next phase started, -1 when the last one ended.
    int ManagePhases();
    void KillPhases();
    bool Killed() const { return killed_; }

  private:
    bool killed_ = false;
};

class TParticleList {
  public:
    TParticleList() = default;
    TParticleList(const TParticleList&) = delete;
    TParticleList& operator=(const TParticleList&) = delete;

    std::shared_ptr<TParticle> AddNew(int x, int y, std::shared_ptr<TGameImage> image, float dx, float dy,
                                      float ygravity, float fadeMs, int lightBlend, int rotate,
                                      float rotationSpeed, float scale, float scaleSpeed, int lifeMs,
                                      int addFirst);
    void Draw();
    void Move();
    void Animate();
    void Manage();
    void FadeAll(int ms);
    void SetUseAlpha(int flag);
    void SetBaseScale(float x, float y);
    void EnableUpdateOriginalCoords();
    void ScaleCoords();
    void AddOffsets(float ox, float oy);
    void ProcessScale(float sx, float sy, float ox, float oy);
    void Collide();

    // List operations.
    void AddLast(std::shared_ptr<TParticle> particle);
    void AddFirst(std::shared_ptr<TParticle> particle);
    // Takes the particle out (its slot is emptied during a walk); false when it is not in the list.
    bool Remove(const TParticle* particle);
    void Clear();
    int Count() const;
    // The live particles in drawing order.
    std::vector<std::shared_ptr<TParticle>> Items() const;

  private:
    template <typename F>
    void Walk(F&& f);

    std::vector<std::shared_ptr<TParticle>> items_;
    std::vector<std::shared_ptr<TParticle>> pendingFront_;
    int walking_ = 0;
    bool holes_ = false;
};

class TParticleGenerator {
  public:
    int Active = 1;
    float x = 0, y = 0, dx = 0, dy = 0;
    int Qty = 0;
    float Interval = 0;
    float IntervalCounter = 0;
    std::function<void(TParticleGenerator*)> MakeParticleFunction;
    int Data1 = 0, Data2 = 0;

    static std::shared_ptr<TParticleGenerator> Create(float x, float y, int quantity, float intervalMs,
                                                      std::function<void(TParticleGenerator*)> make,
                                                      int data1, int data2, int makeFirstNow);
    // -1 when inactive, 1 when it has just emitted its last particle, else 0.
    int Manage();
};

class TParticleGeneratorList {
  public:
    std::shared_ptr<TParticleGenerator> Add(float x, float y, int quantity, float intervalMs,
                                            std::function<void(TParticleGenerator*)> make);
    void Manage();
    int Count() const { return int(items_.size()); }

  private:
    std::vector<std::shared_ptr<TParticleGenerator>> items_;
};
