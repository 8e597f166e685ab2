// The resource archive manager: one case-insensitive name space over every ".pak" archive in the
// resource folder and every loose file in or below it.
//
// Archives are read whole at start-up (in sorted name order, a later archive replacing entries of
// an earlier one), then loose files are added, replacing archive entries of the same name, so a
// loose file can patch the data without rebuilding an archive. Names are compared lower-cased.
// A damaged archive is a fatal error naming the archive and the entry; the folder scan never
// follows a symbolic link into a folder.
//
// Made by start-up (the global PakManager); used by the game's loaders for images, sounds, fonts and texts.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/BankStream.h"
#include "platform/Pixmap.h"

class TImage;
class TImageFont;
class TSound;
struct TAudioSample;

// Style bit of GetImageFont: glyphs rendered anti-aliased and drawn filtered.
inline constexpr int SMOOTHFONT = 4;

// One resource held in memory, decompressed.
class TPakItem : public std::enable_shared_from_this<TPakItem> {
  public:
    std::string Name;  // as stored, or the path below the resource folder for a loose file
    int VarType = 0;   // resource kind by extension, see ExtensionType
    std::vector<uint8_t> Data;

    const std::vector<uint8_t>& GetBinary() const { return Data; }
    std::span<const uint8_t> GetBank() const { return Data; }
    // The bytes as they are.
    std::string GetString() const { return std::string(Data.begin(), Data.end()); }
    // A little-endian stream over the bytes (which it keeps alive).
    std::unique_ptr<TBankStream> GetStream() const;
    // The bytes decoded as text: a byte-order mark decides UTF-8 or UTF-16, else 8-bit text.
    std::string GetText() const;
    std::optional<TPixmap> GetPixmap() const;
    std::shared_ptr<TImage> GetImage(int flags = -1) const;
    std::shared_ptr<TImage> GetAnimImage(int cellWidth, int cellHeight, int firstCell, int cellCount,
                                         int flags = -1) const;
    // An image font from TrueType data at size pixels (the nearest smaller size that works when
    // FreeType refuses it); style SMOOTHFONT renders anti-aliased. Null when the data is no font.
    std::shared_ptr<TImageFont> GetImageFont(int size, int style) const;
    std::shared_ptr<TSound> GetSound(int flags = 0) const;
    std::shared_ptr<TAudioSample> GetAudioSample() const;
    std::string ToString() const { return Name; }
};

// One archive file read whole into items.
class TPakFile {
  public:
    std::vector<std::shared_ptr<TPakItem>> Items;

    // Null when the file cannot be opened; a damaged archive is reported fatally.
    static std::unique_ptr<TPakFile> Create(const std::string& path);
    // Reads the archive from the stream's position to its end into Items, leaving the stream at its
    // end; path only names it in error texts.
    void ReadFromStream(TBankStream& stream, const std::string& path);
};

class TPakFileManager {
  public:
    std::string Path;  // the resource folder, absolute, ending in "/"
    std::string Ext;   // archive extension, ".pak"
    std::map<std::string, std::shared_ptr<TPakItem>> Map;

    static std::unique_ptr<TPakFileManager> Create(const std::string& path, const std::string& ext);

    int Reload();
    int LoadPaks(const std::string& path, const std::string& ext);
    int LoadFiles(const std::string& path);
    int LoadPakFile(const std::string& path);

    std::shared_ptr<TPakItem> GetItem(const std::string& name) const;

    // Missing names give the empty array, the empty string or null; nothing is reported here.
    std::vector<uint8_t> GetBinary(const std::string& name) const;
    std::string GetString(const std::string& name) const;
    std::span<const uint8_t> GetBank(const std::string& name) const;
    std::unique_ptr<TBankStream> GetStream(const std::string& name) const;
    std::string GetText(const std::string& name) const;
    std::optional<TPixmap> GetPixmap(const std::string& name) const;
    std::shared_ptr<TImage> GetImage(const std::string& name, int flags = -1) const;
    std::shared_ptr<TImage> GetAnimImage(const std::string& name, int cellWidth, int cellHeight,
                                         int firstCell, int cellCount, int flags = -1) const;
    std::shared_ptr<TImageFont> GetImageFont(const std::string& name, int size, int style) const;
    std::shared_ptr<TSound> GetSound(const std::string& name, int flags = 0) const;
    std::shared_ptr<TAudioSample> GetAudioSample(const std::string& name) const;

    // For resources the game cannot run without: the resource, or a fatal report
    // ("Error loading bitmap " / "Error loading file " + name) instead of a null used later.
    std::shared_ptr<TImage> GetImageOrDie(const std::string& name, int flags = -1) const;
    std::shared_ptr<TImageFont> GetImageFontOrDie(const std::string& name, int size, int style) const;

  private:
    void Insert(const std::shared_ptr<TPakItem>& item);
    void ScanFiles(std::vector<std::string>& list, const std::string& folder) const;
};

// The game's archive manager, built at start-up.
extern std::unique_ptr<TPakFileManager> PakManager;

// True when resourcePath + "data.pak" is a plain file that can be read; start-up takes the
// "Data Pak Error" path otherwise.
bool DataPakReadable(const std::string& resourcePath);

// Reaches archive items through a protocol prefix: after RegisterPakFileStreams(manager, "pak"),
// OpenPakStream("pak::titlescreen.jpg") gives a stream over that item.
class TPakFileStreamFactory {
  public:
    TPakFileManager* PakMan = nullptr;
    std::string Protocoll;

    std::unique_ptr<TBankStream> CreateStream(const std::string& url, const std::string& protocol,
                                              const std::string& path, bool readable, bool writeable) const;
};
void RegisterPakFileStreams(TPakFileManager* manager, const std::string& protocol);
// A stream for protocol + "::" + name from the registered factories; null when none gives one.
std::unique_ptr<TBankStream> OpenPakStream(const std::string& url);
