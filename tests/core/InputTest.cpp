// The key buffer and the event handling: hit counts, the character ring, focus, pause and close.
#include <gtest/gtest.h>

#include "core/Game.h"
#include "core/Input.h"
#include "game/TolvaneGame.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Keys.h"
#include "presentation/MousePointer.h"
#include "support/TestEnv.h"

namespace {

class InputTest : public ::testing::Test {
  protected:
    int now = 100000;

    void SetUp() override {
        SetClockSource([this] { return now; });
        SetDelayHandler([](int) {});
        FlushEvents();
        GameFlushKeys();
        Game = std::make_unique<TTolvaneGame>();
        Game->FixedRateLogic->Create();
        Game->FixedRateLogic->Init();
        GameStartTime = 0;
    }
    void TearDown() override {
        Game.reset();
        FlushEvents();
        SetClockSource(nullptr);
        SetDelayHandler(nullptr);
    }

    static void Post(int id, int data = 0) { PostEvent(TEvent{id, data, 0, 0}); }

    // One logic call's worth of input handling.
    static int Read() {
        Game->DoPeekEvent();
        return Game->ReadKeys();
    }
};

TEST_F(InputTest, KeyPressedTwiceIsReportedOnceAndFirstHitConsumesNothing) {
    Post(EVENT_KEYDOWN, KEY_A);
    Post(EVENT_KEYUP, KEY_A);
    Post(EVENT_KEYDOWN, KEY_A);
    Game->DoPeekEvent();
    EXPECT_EQ(GameFirstKeyHit(), -1);
    EXPECT_EQ(GameKeyHit(KEY_A), 1);
    EXPECT_EQ(GameKeyHit(KEY_A), 0);

    Post(EVENT_KEYDOWN, KEY_0 + 7);
    Post(EVENT_KEYDOWN, KEY_0 + 3);
    Game->DoPeekEvent();
    EXPECT_EQ(GameFirstKeyHit(), KEY_0 + 3);
    EXPECT_EQ(GameFirstKeyHit(), KEY_0 + 3);  // nothing consumed
}

TEST_F(InputTest, WithPolledInputOnTheKeyQueriesAskThePlatform) {
    KeyBufferKeyDown(KEY_0);  // a hit in the framework's buffer, not the platform's
    PolledFlushKeys();
    PolledInputOn = 1;
    EXPECT_EQ(GameAnyKeyHit(), 0);
    EXPECT_EQ(GameFirstKeyHit(), -1);
    Post(EVENT_KEYDOWN, KEY_A + 1);
    Post(EVENT_KEYDOWN, KEY_A);
    EXPECT_EQ(GameAnyKeyHit(), 1);
    EXPECT_EQ(GameFirstKeyHit(), KEY_A);
    GameClearKey(KEY_A);
    EXPECT_EQ(GameFirstKeyHit(), KEY_A + 1);
    EXPECT_EQ(PolledKeyDown(KEY_A), 0);
    EXPECT_EQ(KeyHits[KEY_0], 1);  // the framework's buffer is left alone
    GameClearKey(KEY_A + 1);
    EXPECT_EQ(GameAnyKeyHit(), 0);
    PolledInputOn = 0;
    EXPECT_EQ(GameFirstKeyHit(), KEY_0);
}

TEST_F(InputTest, TheCharacterRingHoldsTwoHundredFiftySixAndDropsTheRest) {
    for (int i = 0; i < 257; ++i) KeyBufferChar(1000 + i);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(GameGetChar(), 1000 + i);
    EXPECT_EQ(GameGetChar(), 0);
    // Counters keep running past the ring's size.
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 200; ++i) KeyBufferChar('a' + i % 26);
        for (int i = 0; i < 200; ++i) ASSERT_EQ(GameGetChar(), 'a' + i % 26);
    }
}

TEST_F(InputTest, KeyCodesAndButtonsOutsideTheBufferAreIgnored) {
    int before[KeyBufferSize];
    std::copy(KeyHits, KeyHits + KeyBufferSize, before);
    Post(EVENT_KEYDOWN, 256);
    Post(EVENT_KEYDOWN, -1);
    Post(EVENT_KEYUP, 100000);
    Post(EVENT_MOUSEDOWN, 4);
    Post(EVENT_MOUSEDOWN, 0);
    Post(EVENT_MOUSEUP, -1);
    Game->DoPeekEvent();
    KeyBufferKeyDown(-7);
    GameClearKey(300);
    EXPECT_TRUE(std::equal(KeyHits, KeyHits + KeyBufferSize, before));
    EXPECT_EQ(GameKeyHit(256), 0);
    EXPECT_EQ(GameKeyDown(-1), 0);
    EXPECT_EQ(Game->Mouse->b1 + Game->Mouse->b2 + Game->Mouse->b3, 0);
}

TEST_F(InputTest, LosingFocusInFullScreenPausesAndThePauseOutlivesTheFocus) {
    Game->FullScreen = 1;
    Game->PauseOnLossOfFullScreenFocus = 1;
    Post(EVENT_APPSUSPEND);
    Read();
    EXPECT_EQ(Game->Paused, 1);
    Post(EVENT_APPRESUME);
    now += 700;
    Read();
    EXPECT_EQ(Game->Suspended, 0);
    EXPECT_EQ(Game->Paused, 1);
    // The resumption restarted the timing: the 700 ms away do not count.
    EXPECT_DOUBLE_EQ(Game->FixedRateLogic->LastTime, double(now));
    Post(EVENT_MOUSEDOWN, 1);
    Read();
    EXPECT_EQ(Game->Paused, 0);
}

TEST_F(InputTest, LosingFocusWindowedOnlySuspendsFlushesInputAndStopsLogicAfterTheGracePeriod) {
    Game->FullScreen = 0;
    Game->PauseOnLossOfFullScreenFocus = 1;
    Post(EVENT_APPSUSPEND);
    Read();
    EXPECT_EQ(Game->Paused, 0);
    KeyBufferKeyDown(KEY_A + 2);
    Post(EVENT_APPRESUME);
    Read();
    EXPECT_EQ(GameKeyDown(KEY_A + 2), 0);
    // A suspended game runs no logic after the first five seconds.
    Post(EVENT_APPSUSPEND);
    GameStartTime = now - 1000;
    EXPECT_EQ(Game->LogicWrapper(), 1);
    GameStartTime = now - 6000;
    EXPECT_EQ(Game->LogicWrapper(), 0);
}

TEST_F(InputTest, MusicPlayingWhenTheFocusWentComesBackAndMusicSwitchedOffStaysOff) {
    Game->FullScreen = 0;
    Game->PauseOnLossOfFocus = Game->PauseOnLossOfFullScreenFocus = 0;
    Game->MusicFileName = "none";
    for (int music : {1, 0}) {
        Game->Music = music;
        Post(EVENT_APPSUSPEND);
        Read();
        Post(EVENT_APPRESUME);
        Read();
        EXPECT_EQ(Game->Music, music);
    }
}

TEST_F(InputTest, AnIgnoredEscapeIsLeftForTheScreenAndBlockedKeysStopAfterTheWindowCheck) {
    Game->IgnoreEscapeKey = 1;
    Post(EVENT_KEYDOWN, KEY_ESCAPE);
    Read();
    EXPECT_EQ(GameKeyHit(KEY_ESCAPE), 1);
    Game->BlockKeys = 1;
    Post(EVENT_KEYDOWN, KEY_A + ('P' - 'A'));
    EXPECT_EQ(Read(), 0);
    EXPECT_EQ(Game->Paused, 0);
}

TEST_F(InputTest, ClosingWhilePausedOrSuspendedEndsTheProgram) {
    GameStartTime = now - 60000;
    Game->Paused = 1;
    Post(EVENT_APPTERMINATE);
    EXPECT_EQ(Game->LogicWrapper(), -1);

    Game->Paused = 0;
    Game->InstantExit = 0;
    Game->FullScreen = 0;
    Post(EVENT_APPSUSPEND);
    EXPECT_EQ(Game->LogicWrapper(), 0);
    Post(EVENT_APPTERMINATE);
    EXPECT_EQ(Game->LogicWrapper(), -1);
}

TEST_F(InputTest, LosingFocusDuringTheExitFadeEndsTheProgram) {
    GameStartTime = now - 60000;
    Game->FixedRateLogic->Init();
    Game->FullScreen = 1;
    Game->PauseOnLossOfFullScreenFocus = 1;
    Post(EVENT_APPTERMINATE);
    EXPECT_EQ(Game->LogicWrapper(), 1);
    Post(EVENT_APPSUSPEND);
    EXPECT_EQ(Game->LogicWrapper(), -1);
}

TEST_F(InputTest, AUserFunctionCanRefuseTheClose) {
    Game->TerminatedUserFunction = [] { return 1; };
    Post(EVENT_APPTERMINATE);
    EXPECT_EQ(Read(), 1);
    EXPECT_EQ(Game->DestinationTScreen, nullptr);
}

}  // namespace
