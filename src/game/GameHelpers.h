// The game's small free functions: multi-line text drawing, time and number formatting, registering
// archive images in a bank, and general utilities (splitting, ini records, stream records, geometry and
// pointer tests). The functions that build buttons and the standard dialogs live in GameButtons.h and
// GameDialogs.h, beside the widgets they make.
// Used by the board screen, the cells, the help screen and the game's start-up loaders (GameRun).
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class TAnimation;
class TBitmapFont;
class TGameImage;
class TImage;
class TImageBank;
class TImageFont;
class TIniFile;
class TSineCounter;
class TSprite;

// Lines 25 pixels apart, split at LF (a trailing CR of a line dropped). With anchorBottom the last line
// sits at y; x = -1 centres every line across the screen, else align is 0 left, 1 centred, 2 right.
// Always with the text shadow. A null font keeps the current one.
void DrawTextBlock(const std::string& text, float x, float y, const std::shared_ptr<TImageFont>& font,
                   int setWhite, int anchorBottom, int snap, int align);
void DrawTextBlockSpaced(const std::string& text, float x, float y, TBitmapFont* font, int anchorBottom,
                         int shadow, int centred, float centringSpacing);
void DrawTextLine(const std::string& line, float x, float y, TBitmapFont* font, int roundX, int roundY,
                  int shadow, int centred);
void PrintText(const std::string& text);

std::string FormatSecondsHundredths(int ms);
std::string FormatSeconds(int ms);
std::string FormatDollars(long long n);
std::string StripLeadingZeros(const std::string& s);
std::string RemoveLineBreaks(const std::string& s);

// Wraps an already loaded image as a bank record named Upper(name) and inserts it into bank (the global
// ImageBank when bank is null). Returns the record.
std::shared_ptr<TGameImage> CreateGameImage(std::shared_ptr<TImage> image, const std::string& name,
                                            int midHandle, TImageBank* bank);

int PointInTriangle(float px, float py, float x1, float y1, float x2, float y2, float x3, float y3);
int MouseInRect(int x1, int y1, int x2, int y2);
int MouseInBox(int x1, int y1, int x2, int y2);
int IsMouseOverSprite(const TSprite* sprite);
// A new image of the rectangle of frame 0; areas outside the image are transparent. Null for a null
// image or an empty rectangle.
std::shared_ptr<TImage> GrabImageRect(const TImage* image, int x, int y, int w, int h);

std::vector<std::string> SplitByComma(const std::string& s);
std::vector<std::string> SplitByEquals(const std::string& s);
std::vector<std::string> SplitByDash(const std::string& s);
int IsAlphaNumeric(int code);
std::string NextNumberedFileName(const std::string& path, const std::string& prefix,
                                 const std::string& extension, int max, const std::string& defaultName);

// The ini file name + ".ini" read line by line (every line kept, in file order) and written back.
std::unique_ptr<TIniFile> LoadIniFile(const std::string& name);
// Records key = value in iniName + ".ini", the key being path's file name without folder or extension.
void IniFileRecordValue(const std::string& iniName, const std::string& path, const std::string& value);

int PercentOf(float a, float b);
int AsPercentage(float a, float b);

// Little-endian records; reading a record that is absent (0), truncated or out of range gives null.
void WriteAnimation(std::ostream& stream, const TAnimation* animation);
std::shared_ptr<TAnimation> ReadAnimation(std::istream& stream);
void WriteSineCounter(std::ostream& stream, const TSineCounter* counter);
std::shared_ptr<TSineCounter> ReadSineCounter(std::istream& stream);

float Distance2D(float x1, float y1, float x2, float y2);
float WrapAngle(float angle);
