// Free drawing helpers shared by every widget: shadowed and aligned text, word wrap, image variants
// (parts, clipping, shadows, light), screen dimming and clearing, pixel utilities, the BMP writer and
// the screenshot.
//
// Each helper leaves the draw state as documented here, because the next widget relies on it: as a
// rule white, alpha 1 and alpha blend, except that shadowed text leaves the alpha at TextAlpha.
//
// Used by every widget and most of the game's screens; the core's debug text and screenshot reach
// it through the front end.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Pixmap.h"

class TImage;
class TShadow;
class TBitmapFont;

// Shadow of shadowed text (offset and alpha relative to the text) and the alpha of shadowed text.
extern float TextShadowX, TextShadowY, TextShadowAlpha, TextAlpha;

void SetTextShadow(float x, float y, float alpha);
// Black shadow at TextShadowAlpha x TextAlpha, then the text in the caller's colour at TextAlpha. The
// caller's colour and blend are restored; the alpha stays TextAlpha.
void DrawTextShadow(float x, float y, const std::string& text, int centre);
void DrawTextAt(const std::string& text, float x, float y, int shadow, int snap);
void DrawTextCentred(const std::string& text, float x, float y, int shadow, int snap);
void DrawTextRight(const std::string& text, float x, float y, int shadow, int snap);
// Alignment 0 left, 1 centred, 2 right; other values draw nothing.
void DrawTextAligned(const std::string& text, float x, float y, int shadow, int alignment, int snap);
void DrawTextCentredScaled(const std::string& text, float y, int shadow, int snap);
void DrawTextScreenCentred(const std::string& text, int shadow, int snap);
void DrawTextCentredScaledY(const std::string& text, float x, float y, int shadow);
void DrawTextLinesShadow(float x, float y, const std::vector<std::string>& lines, int centre,
                         float lineHeight);

// The text as it is when it is no wider than width in the current image font, else cut after a whole
// character with "…" appended so that the whole is no wider.
std::string FitText(const std::string& text, float width);

// Each paragraph broken at blanks into lines no wider than width (x scale), measured with the bitmap
// font when given, else with the current image font. An empty paragraph gives an empty line.
std::vector<std::string> WordWrap(const std::vector<std::string>& paragraphs, float width,
                                  TBitmapFont* bitmapFont = nullptr, float scale = 1.0f);
// As WordWrap, but lines from maxLines - 1 on are measured against lastWidth.
std::vector<std::string> WordWrapLast(const std::vector<std::string>& paragraphs, float width,
                                      float lastWidth, int maxLines, TBitmapFont* bitmapFont = nullptr,
                                      float scale = 1.0f);

void DrawImagePart(const TImage* image, float x, float y, float sx, float sy, float w, float h,
                   int frame = 0);
void DrawImageRect(const TImage* image, float x, float y, int sx, int sy, int w, int h);
// The part of the image (top-left handle) placed at (x, y) that lies inside the clip rectangle,
// moved by the offset; nothing when they do not overlap.
void DrawImageClipped(const TImage* image, float x, float y, float clipX, float clipY, float clipW,
                      float clipH, float offsetX = 0, float offsetY = 0);
void DrawImageViewport(const TImage* image, int x, int y, int w, int h, int frame = 0);
void DrawImageShadow(const TImage* image, float x, float y, const TShadow* shadow);
void DrawImageShadowCentred(const TImage* image, const TShadow* shadow);
// Light blend at colour level x 255 x component; then alpha blend and white.
void DrawImageLight(const TImage* image, float x, float y, float level, float red = 1, float green = 1,
                    float blue = 1, int frame = 0);
void DrawFrameText(const std::string& text, float x, float y, const TImage* strip, int charWidth, int centre,
                   int snap);
void DrawFrameTextSpaced(const std::string& text, float x, float y, const TImage* strip,
                         const std::vector<int>& widths, const std::vector<int>& offsets, float spacing,
                         int centre, int snap, float scale);
float FrameTextWidth(const std::string& text, const std::vector<int>& widths, float spacing, float scale);
void SetImageHandleMid(TImage* image, int mid);
int ImageRectCollide(const TImage* image, float x, float y, int frame, float rx, float ry, float rw,
                     float rh);
std::shared_ptr<TImage> CopyImageFrames(const TImage* image);
void CopyImageRect(const TImage* source, int sx, int sy, int w, int h, TImage* destination, int dx, int dy);
// Mode 0 as is, 1 mirrored left-right, 2 top-bottom, 3 both.
void CopyImageRectMirrored(const TImage* source, int sx, int sy, int w, int h, TImage* destination, int dx,
                           int dy, int mode);
void BlendImageIntoPixmap(const TImage* image, int frame, TPixmap& pixmap, int x, int y, float imageWeight,
                          float colorWeight);

int PixelAlpha(uint32_t pixel);
int PixelRed(uint32_t pixel);
int PixelGreen(uint32_t pixel);
int PixelBlue(uint32_t pixel);
uint32_t MakePixel(int alpha, int red, int green, int blue);

// Solid blend, alpha 1, white.
void ResetDrawState();
// Black at that alpha over the screen or a rectangle, then white and alpha 1 (alpha blend).
void DimScreen(float alpha);
void DimRect(float alpha, float x, float y, float w, float h);
void DrawRectOutline(float x, float y, float w, float h);
void DrawRectShadow(float x, float y, float w, float h, const TShadow* shadow);
void ClsColor(int red, int green, int blue);
void ClsColorFlip(int red, int green, int blue);
void ClsFlipSync(int red, int green, int blue);
// Shows the frame with the application's vertical-sync setting.
void FlipVSync();
void DrawTextGlyphs(const std::string& text, float x, float y, float letterSpacing);
void DrawTextGlyphsSnapped(const std::string& text, float x, float y, float letterSpacing);
int ScreenHeightOffset(int a, int b);

// Bytes of the pixel rows of a 24-bit BMP: each row width x 3 bytes padded to a multiple of 4. nullopt
// for an empty or negative size (no reader opens a BMP without pixels), or when those bytes and the 54-byte
// header overflow the format's 32-bit size fields.
std::optional<uint32_t> BMPPixelDataSize(int width, int height);
// 24-bit bottom-up BMP of the pixmap; empty when BMPPixelDataSize refuses its size.
std::vector<uint8_t> WriteBMP(const TPixmap& pixmap);
// Writes frame 0 as a BMP file and calls the file-written hook; false when it cannot be written whole (the
// previous file, if any, is then left as it was).
bool SaveImageBMP(const TImage* image, const std::string& path);
bool SaveLoadedImageBMP(const std::string& source, const std::string& path);
// The picture drawn so far as "YYYY-MM-DD HHNNSS screenshot.png" in the folder (the working folder when
// empty), at the strongest PNG compression; returns the path written, "" on failure.
std::string SaveScreenshot(const std::string& folder);
// The screenshot file name for a local time.
std::string ScreenshotFileName(int year, int month, int day, int hour, int minute, int second);
