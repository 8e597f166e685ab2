// TTextInput: the one-line text entry of the text-input dialog (player names, save-game names). It
// reads typed characters from the framework's character buffer, filters them, keeps the text within a
// character and a pixel limit, draws it with a flashing cursor and optional dots for the free places,
// and reports Enter and Esc to its owner.
//
// The text is UTF-8; limits, Backspace and the first-character rule count characters (code points),
// never bytes, so an accented name is neither cut inside a character nor counted too long.
//
// Used by the dialogs' name prompts and the game's name-entry dialogs.
#pragma once

#include <memory>
#include <string>

class TBitmapFont;
class TColor;
class TGameSound;
class TImageFont;
class TShadow;

class TTextInput {
  public:
    TTextInput();

    std::string Text;
    int MaxLength = 10;
    int MaxPixelWidth = 0;
    int CurrentChar = 0;
    int Active = 0;
    int Done = 0;
    int ForceDraw = 0;
    int X = 0, Y = 0;
    std::shared_ptr<TColor> TextCol;
    std::shared_ptr<TShadow> TextShadow;
    std::shared_ptr<TColor> DotCol;
    std::shared_ptr<TColor> CursorCol;
    int CursorYOffset = 0;
    std::shared_ptr<TImageFont> Font;
    std::shared_ptr<TBitmapFont> BitmapFont;
    int DrawDots = 0;
    int DrawUnderscore = 1;
    float CursorFlashCounter = 0;
    int CursorFlashSpeed = 0;
    int CursorOn = 1;
    int AllowEscToAbort = 1;
    int AllowNull = 1;
    // UTF-8 characters that are ignored when typed.
    std::string BannedChars;
    int AllowExtendedChars = 0;
    int NumbersOnly = 0;
    std::shared_ptr<TGameSound> TypingSound;
    int PlayTypingSoundOnEnter = 1;
    float OffsetX = 0, OffsetY = 0;
    int ClearTextOnEscape = 0;
    int UppercaseFirstCharAsTyped = 0;

    void Init(std::shared_ptr<TImageFont> font, const std::string& text, int x, int y,
              std::shared_ptr<TBitmapFont> bitmapFont);
    void Reset();
    void SetCursorFlashSpeed(int ms);
    // One tick of typing: 1 Enter accepted, -1 aborted by Esc, else 0.
    int Manage();
    void PlayTypingSound();
    void MakeCharsFileNameSafe();
    void Finish();
    int GetWidth(const std::string& extra);
    void Draw();
    // Number of characters (code points) of Text.
    int Length() const;
};
