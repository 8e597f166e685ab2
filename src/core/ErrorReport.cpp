// Error reporting, the error log and the load-or-die helpers. The notice, the display close and
// the log's clock are replaceable so that the whole error path can be tested headless.
#include "core/ErrorReport.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <utility>
#include <vector>

#include "core/Game.h"
#include "core/Input.h"
#include "core/InputUtils.h"
#include "core/StringUtils.h"
#include "platform/Clock.h"
#include "platform/DataFile.h"
#include "platform/Draw.h"
#include "platform/Events.h"
#include "platform/FileSystem.h"
#include "platform/ImageFont.h"
#include "platform/System.h"
#include "platform/Window.h"

std::string LogFolder;
int ErrorScreenFullScreen = 0;
int ErrorLogEnabled = 1;
int ErrorDebugStop = 0;

namespace {

ErrorNoticeFunction& InGameNotice() {
    static ErrorNoticeFunction dialog;
    return dialog;
}

void ShowInGameNotice(const std::string& text) {
    static bool showing = false;
    if (showing || !InGameNotice() || !GraphicsOpen()) return;
    showing = true;
    try {
        InGameNotice()(text);
    } catch (...) {
        // The notice is on standard error already; the caller's own error goes on.
    }
    showing = false;
}

ErrorNoticeFunction& Notice() {
    static ErrorNoticeFunction notice = [](const std::string& text) {
        if (!Notify(text)) ShowInGameNotice(text);
    };
    return notice;
}

std::function<void()>& CloseDisplay() {
    // The notice must not hide behind a full-screen display, and the pointer must be visible.
    static std::function<void()> close = [] {
        EndGraphics();
        ShowMouse();
    };
    return close;
}

std::function<std::string()>& LogDate() {
    static std::function<std::string()> date = CurrentDate;
    return date;
}

std::function<std::string()>& LogTime() {
    static std::function<std::string()> time = CurrentTime;
    return time;
}

// The date and time a log entry is stamped with; blank where no clock is set.
std::pair<std::string, std::string> LogStamp() {
    return {LogDate() ? LogDate()() : "", LogTime() ? LogTime()() : ""};
}

}  // namespace

void SetErrorNotice(ErrorNoticeFunction notice) {
    Notice() = std::move(notice);
}
void SetInGameNotice(ErrorNoticeFunction dialog) {
    InGameNotice() = std::move(dialog);
}
void SetErrorCloseDisplay(std::function<void()> closeDisplay) {
    CloseDisplay() = std::move(closeDisplay);
}

void SetErrorLogClock(std::function<std::string()> date, std::function<std::string()> time) {
    LogDate() = std::move(date);
    LogTime() = std::move(time);
}

void ShowNotice(const std::string& text) {
    if (Notice()) Notice()(text);
}

namespace {

// An error is logged before it is shown: the box waits for the player, who may end the program
// instead of answering.
void ShowErrorNotice(const std::string& text) {
    WriteErrorLog(text);
    ShowNotice(text);
}

}  // namespace

int ReportError(const std::string& text, int fatal) {
    int polled = PolledInputOn;
    if (ErrorScreenFullScreen == 0) {
        ShowErrorNotice(text);
        throw TRuntimeError(text);
    }
    EnablePolledInputSafe();
    ShowErrorScreen(text, 600, 100);
    if (ErrorLogEnabled) WriteErrorLog(text);
    if (ErrorDebugStop) DebugStop();
    // A fatal report still ends through the guard's orderly quit, never by a bare exit.
    if (fatal != 0) throw TShownError(text);
    if (!polled) DisablePolledInputSafe();
    return 0;
}

namespace {

// The text broken into lines no wider than width in the current font, at blanks where possible.
std::vector<std::string> WrapToWidth(const std::string& text, float width) {
    std::vector<std::string> lines;
    for (const std::string& paragraph : SplitLines(text)) {
        std::string line;
        size_t pos = 0;
        while (pos <= paragraph.size()) {
            size_t blank = paragraph.find(' ', pos);
            std::string word =
                paragraph.substr(pos, blank == std::string::npos ? std::string::npos : blank - pos);
            std::string joined = line.empty() ? word : line + " " + word;
            if (!line.empty() && TextWidth(joined) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = joined;
            }
            // A word wider than the box on its own is cut where it overflows.
            while (line.size() > 1 && TextWidth(line) > width) {
                size_t fit = line.size() - 1;
                while (fit > 1 && TextWidth(line.substr(0, fit)) > width) --fit;
                lines.push_back(line.substr(0, fit));
                line.erase(0, fit);
            }
            if (blank == std::string::npos) break;
            pos = blank + 1;
        }
        lines.push_back(line);
    }
    return lines;
}

// Takes every pending event; true when a key or button went down or the window is to close.
bool ErrorScreenDismissed() {
    bool hit = false;
    TEvent event;
    while (PollEvent(event))
        if (event.id == EVENT_KEYDOWN || event.id == EVENT_MOUSEDOWN || event.id == EVENT_APPTERMINATE)
            hit = true;
    return hit;
}

}  // namespace

void ShowErrorScreen(const std::string& text, int width, int height) {
    if (!GraphicsOpen() && !GetDrawBackend()) return;
    std::shared_ptr<TImageFont> font = GetImageFont();
    ResetDrawStateDefaults(ScreenWidth, ScreenHeight);
    SetImageFont(font);
    float bx = float((ScreenWidth - width) / 2), by = float((ScreenHeight - height) / 2);
    float w = float(width), h = float(height);
    std::vector<std::string> lines = WrapToWidth(text, w - 20);
    float lineHeight = font ? std::max(1.0f, TextHeight("Ag")) : 16.0f;
    const std::string prompt = "<press any key>";
    for (bool done = false; !done;) {
        SetColor(0, 0, 0);
        DrawRect(0, 0, float(ScreenWidth), float(ScreenHeight));
        SetColor(150, 150, 150);
        DrawRect(bx, by, w, h);
        SetColor(220, 220, 200);
        DrawRect(bx, by, w, 1);
        DrawRect(bx, by + h - 1, w, 1);
        DrawRect(bx, by, 1, h);
        DrawRect(bx + w - 1, by, 1, h);
        float y = by + 10;
        for (const std::string& line : lines) {
            SetColor(0, 0, 0);
            DrawText(line, bx + 11, y + 1);
            SetColor(220, 220, 0);
            DrawText(line, bx + 10, y);
            y += lineHeight;
        }
        SetColor(0, 220, 0);
        DrawText(prompt, float(ScreenWidth) / 2 - TextWidth(prompt) / 2, by + h + 10);
        Flip(1);
        done = ErrorScreenDismissed();
        if (!done) Delay(10);
    }
    SetColor(255, 255, 255);
    FlushInput();
}

void AppendLogLine(const std::string& path, const std::string& line) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << line << "\r\n";
}

void LogException(std::exception_ptr error) {
    const auto [date, time] = LogStamp();
    std::string folder = Game ? Game->SubPath : std::string();
    AppendLogLine(folder + "log.txt",
                  "[" + date + " " + time + "] Exception Caught: " + UncaughtErrorText(error, Checkpoint));
}

std::string UncaughtErrorText(std::exception_ptr error, int checkpoint) {
    // Formatted into a buffer: GCC 12 warns falsely (-Wrestrict) about the string forms of this.
    char prefix[24] = "";
    if (checkpoint != 0) std::snprintf(prefix, sizeof prefix, "(%d) ", checkpoint);
    try {
        if (error) std::rethrow_exception(error);
    } catch (const TRaisedText& raised) {
        return raised.what();
    } catch (const std::exception& runtime) {
        std::string text = prefix;
        return text.append(runtime.what());
    } catch (const std::string& text) {
        return text;
    } catch (const char* text) {
        return text ? text : "";
    } catch (...) {
    }
    return "Unknown error";
}

void ReportUncaughtException(std::exception_ptr error) {
    try {
        if (error) std::rethrow_exception(error);
    } catch (const TShownError&) {
        return;  // the error screen showed it and wrote the log as asked
    } catch (...) {
    }
    if (CloseDisplay()) CloseDisplay()();
    ShowErrorNotice(UncaughtErrorText(error, Checkpoint));
}

void WriteErrorLog(const std::string& text) {
    const auto [date, time] = LogStamp();
    WriteFileAtomic(LogFolder + "ErrorLog.txt",
                    "Date: " + date + "\r\nTime: " + time + "\r\n" + text + "\r\n");
}

void CheckSectionHeader(const std::string& line, const std::string& name) {
    if (Upper(line) != "[" + name + "]") ReportError("[" + name + "] header hot found", 1);
}

std::string ReadFileOrDie(const std::string& path) {
    std::optional<std::string> bytes = LoadFile(path, MaxDataTextBytes);
    if (!bytes) ReportError(ErrorLoadingFile + path, 1);
    return *bytes;
}
