// The image and sound banks over data folders with lower-case file names, looked up in any case.
#include <gtest/gtest.h>

#include "FakeAudio.h"
#include "core/ErrorReport.h"
#include "core/SoundBank.h"
#include "platform/DataFile.h"
#include "platform/ImageCodec.h"
#include "platform/TestWav.h"
#include "presentation/GameImage.h"
#include "presentation/ImageBank.h"
#include "support/TestEnv.h"

namespace {

std::string Wav(int frames) {
    std::vector<uint8_t> w = testwav::Wav(1, 22050, 16, size_t(frames) * 2);
    return std::string(w.begin(), w.end());
}

class BankTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetErrorNotice([this](const std::string& text) { notices.push_back(text); });
        SetAudioDriverInstance(std::make_unique<FakeDriver>(&made));
        std::vector<uint8_t> png = EncodePNG(TPixmap(31, 17, 0xFFFFFFFFu));
        testenv::WriteFile(dir.Path() / "exit.png", std::string(png.begin(), png.end()));
        testenv::WriteFile(dir.Path() / "exitmo.png", std::string(png.begin(), png.end()));
        testenv::WriteFile(dir.Path() / "buttonclick.wav", Wav(10));
        testenv::WriteFile(dir.Path() / "applause.wav", Wav(20));
        images.SetPath(dir.Path().string());
        sounds.SetPath(dir.Path().string());
    }
    void TearDown() override {
        SetAudioDriverInstance(nullptr);
        SetErrorNotice(nullptr);
    }
    testenv::TempDir dir;
    std::vector<std::shared_ptr<FakeChannel>> made;
    std::vector<std::string> notices;
    TImageBank images;
    TSoundBank sounds;
};

}  // namespace

TEST_F(BankTest, ImagesLoadByMixedCaseNamesFromLowerCaseFiles) {
    images.Load("Exit");
    images.Load("exitMO.png", "hover");
    auto exit = images.Find("exit");
    EXPECT_EQ(exit->w, 31);
    EXPECT_EQ(images.FindTImage("exitmo"), nullptr);  // stored under the given name only
    EXPECT_NE(images.FindTImage("hover"), nullptr);
    images.Load("exitmo", "exit");  // a second load under a name replaces the first
    EXPECT_NE(images.Find("exit"), exit);
}

TEST_F(BankTest, SoundsKeepPitchAndVolumeAndAreFoundInAnyCase) {
    sounds.Load("ButtonClick", 1.5f, 0.25f);
    sounds.Load("applause.wav", 1.0f, 1.0f, "cheer");
    auto click = sounds.Find("buttonCLICK");
    EXPECT_FLOAT_EQ(click->pitch, 1.5f);
    EXPECT_EQ(sounds.Find("Cheer")->sound->Sample().Frames(), 20u);
}

TEST_F(BankTest, ImagesAndSoundsOverTheBoundAreRefusedLikeMissingOnesWithoutBeingRead) {
    const std::vector<uint8_t> png = EncodePNG(TPixmap(4, 4, 0xFFFFFFFFu));
    testenv::WriteSparseFile(dir.Path() / "huge.png", std::string(png.begin(), png.end()),
                             MaxDataFileBytes + 1);
    testenv::WriteSparseFile(dir.Path() / "huge.wav", Wav(10), MaxDataFileBytes + 1);
    const long before = testenv::PeakMemoryKB();
    EXPECT_THROW(images.Load("huge"), TRuntimeError);
    EXPECT_THROW(sounds.Load("huge"), TRuntimeError);
    EXPECT_LT(testenv::PeakMemoryKB() - before, 16 * 1024) << "a file was read";
    EXPECT_EQ(notices, (std::vector<std::string>{"Error loading bitmap " + dir.Str() + "huge.png",
                                                 "Error loading sample " + dir.Str() + "huge.wav"}));
}

TEST_F(BankTest, MissingImagesAndSoundsAreFatalWithTheExactText) {
    EXPECT_THROW(images.Find("title"), TRuntimeError);
    EXPECT_THROW(images.Load("nothere"), TRuntimeError);
    EXPECT_THROW(sounds.Find("boom"), TRuntimeError);
    EXPECT_THROW(sounds.Load("boom"), TRuntimeError);
    EXPECT_EQ(notices, (std::vector<std::string>{"Image 'TITLE' was Not found in the ImageBank",
                                                 "Error loading bitmap " + dir.Str() + "nothere.png",
                                                 "Sound 'BOOM' was not found in the SoundBank",
                                                 "Error loading sample " + dir.Str() + "boom.wav"}));
}
