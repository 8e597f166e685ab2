// Error reporting: every failure the program reports ends the run. ReportError shows its text in
// a system notice and throws; only the top-level guard of the start-up catches, and its handler
// ReportUncaughtException shows the text once more, writes "ErrorLog.txt" and returns so that the
// guard can quit in order.
//
// A second path, the drawn error screen, is switched on by ErrorScreenFullScreen. It starts off, so
// that nothing (the game, a tool, a test) can fail before it is switched off; the game never
// switches it on.
//
// Two kinds of thrown error exist, because they are shown differently:
//  - TRuntimeError (and every standard-library exception, the runtime's own failures such as
//    bad_alloc or out_of_range) is shown with the last start-up checkpoint in front:
//    "(" + Checkpoint + ") " + text, the prefix only when Checkpoint is not 0;
//  - TRaisedText is a finished message that already carries whatever prefix it needs and is
//    shown exactly as it stands (so it is never prefixed twice).
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

class TImage;
class TSound;

// Messages of the load-or-die helpers; the path follows directly.
inline constexpr const char* ErrorLoadingBitmap = "Error loading bitmap ";
inline constexpr const char* ErrorLoadingAnimBitmap = "Error loading anim bitmap ";
inline constexpr const char* ErrorLoadingFile = "Error loading file ";
inline constexpr const char* ErrorLoadingSample = "Error loading sample ";

// The runtime's own error kind: shown with the checkpoint prefix.
class TRuntimeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A raised text: shown as it stands, never prefixed again.
class TRaisedText : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A fatal report already shown on the error screen: the guard neither shows nor logs it again, it
// only quits in order.
class TShownError : public TRaisedText {
  public:
    using TRaisedText::TRaisedText;
};

// Folder of "ErrorLog.txt" (ends in "/" or is empty); set whenever the shared data folder is set.
extern std::string LogFolder;

// 1: ReportError draws the error screen instead of the notice (0 from the start).
extern int ErrorScreenFullScreen;
// On the error-screen path: also write "ErrorLog.txt" (1), and stop in an attached debugger (0).
extern int ErrorLogEnabled;
extern int ErrorDebugStop;

// Shows text in the system notice (a message box captioned with the application title), always also
// on standard error. Where the system's box cannot open while the display is up (a bare X server),
// the text goes to the in-game notice instead. An information notice never touches the error log,
// which keeps the last error only; the error paths below log their text themselves.
void ShowNotice(const std::string& text);

// Shows text in a system notice and throws TRuntimeError carrying it; the fatal flag does not
// matter there, every such report ends the run. On the error-screen path instead: the screen until
// a key or button is hit, the error log when enabled, the debugger stop when asked; then a fatal
// report throws TShownError (the guard quits in order) and any other returns 0.
int ReportError(const std::string& text, int fatal = 1);

// The error screen: a black screen with a grey box of width x height centred on it, outlined, the
// text word-wrapped inside in yellow with a shadow and "<press any key>" in green below, shown each
// frame until a key or mouse button is hit (or the window is closed). Input is flushed afterwards.
// Nothing is shown when there is nowhere to draw. Also shown on its own for a plain message outside
// the error path; the caller then goes on.
void ShowErrorScreen(const std::string& text, int width, int height);

// Appends "[" + date + " " + time + "] Exception Caught: " + the text UncaughtErrorText gives for the
// error to Game->SubPath + "log.txt".
void LogException(std::exception_ptr error);
// Appends line to the file (created when missing); failures are ignored.
void AppendLogLine(const std::string& path, const std::string& line);

// Handler of the top-level guard, for the exception being handled (std::current_exception()):
// closes the display, shows the text of UncaughtErrorText in a notice and writes the error log.
void ReportUncaughtException(std::exception_ptr error);

// The text shown for a caught error: "(" + checkpoint + ") " + its text for the runtime's own
// errors when checkpoint is not 0, the bare text for raised texts (TRaisedText, std::string,
// const char*), "Unknown error" for anything else.
std::string UncaughtErrorText(std::exception_ptr error, int checkpoint);

// Replaces LogFolder + "ErrorLog.txt" with the lines "Date: " + date, "Time: " + time and text.
// Failures are ignored: the error path must not fail itself.
void WriteErrorLog(const std::string& text);

// The fatal report "[" + name + "] header hot found" unless Upper(line) is "[" + name + "]".
void CheckSectionHeader(const std::string& line, const std::string& name);

// Load-or-die helpers: the loaded thing, or ReportError with the message above + path. ReadFileOrDie
// reads the game's text data, so a file larger than MaxDataTextBytes (platform/DataFile.h) is such a
// failure too, refused by its size before it is read.
std::shared_ptr<TImage> LoadImageOrDie(const std::string& path, int flags = -1);
std::shared_ptr<TImage> LoadAnimImageOrDie(const std::string& path, int cellWidth, int cellHeight,
                                           int firstCell, int cellCount, int flags = -1);
std::string ReadFileOrDie(const std::string& path);
std::shared_ptr<TSound> LoadSoundOrDie(const std::string& path, int flags = 0);

// Seams for the display and the notices, so that tests and the start-up can replace them.
// The notice defaults to the platform's message box, the close-display step to closing the
// display and showing the system pointer.
using ErrorNoticeFunction = std::function<void(const std::string& text)>;
void SetErrorNotice(ErrorNoticeFunction notice);
// Registered by the game once its dialogs can be drawn: shows the text in the game's own OK dialog and
// returns when the player has closed it. Never called re-entrantly; whatever it throws is dropped.
void SetInGameNotice(ErrorNoticeFunction dialog);
void SetErrorCloseDisplay(std::function<void()> closeDisplay);
// Date and time texts for the error log; default: the platform's CurrentDate and CurrentTime.
void SetErrorLogClock(std::function<std::string()> date, std::function<std::string()> time);
