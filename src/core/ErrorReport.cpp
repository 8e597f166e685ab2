// Error reporting, the error log and the load-or-die helpers. The notice, the display close and
// the log's clock are replaceable so that the whole error path can be tested headless.
#include "core/ErrorReport.h"

#include <utility>

#include "core/Game.h"
#include "core/StringUtils.h"
#include "platform/FileSystem.h"
#include "platform/System.h"
#include "platform/Window.h"

std::string LogFolder;

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
        // The notice is on standard error and in the log already; the caller's own error goes on.
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

}  // namespace

void SetErrorNotice(ErrorNoticeFunction notice) { Notice() = std::move(notice); }
void SetInGameNotice(ErrorNoticeFunction dialog) { InGameNotice() = std::move(dialog); }
void SetErrorCloseDisplay(std::function<void()> closeDisplay) { CloseDisplay() = std::move(closeDisplay); }

void SetErrorLogClock(std::function<std::string()> date, std::function<std::string()> time) {
    LogDate() = std::move(date);
    LogTime() = std::move(time);
}

void ShowNotice(const std::string& text) {
    // Logged first: a box waits for the player, who may end the program instead of answering.
    WriteErrorLog(text);
    if (Notice()) Notice()(text);
}

void ReportError(const std::string& text, int /*fatal*/) {
    ShowNotice(text);
    throw TRuntimeError(text);
}

std::string UncaughtErrorText(std::exception_ptr error, int checkpoint) {
    std::string prefix;
    if (checkpoint != 0) {
        prefix = "(";
        prefix.append(std::to_string(checkpoint)).append(") ");
    }
    try {
        if (error) std::rethrow_exception(error);
    } catch (const TRaisedText& raised) {
        return raised.what();
    } catch (const std::exception& runtime) {
        return prefix.append(runtime.what());
    } catch (const std::string& text) {
        return text;
    } catch (const char* text) {
        return text ? text : "";
    } catch (...) {
    }
    return "Unknown error";
}

void ReportUncaughtException(std::exception_ptr error) {
    if (CloseDisplay()) CloseDisplay()();
    ShowNotice(UncaughtErrorText(error, Checkpoint));
}

void WriteErrorLog(const std::string& text) {
    std::string date = LogDate() ? LogDate()() : "";
    std::string time = LogTime() ? LogTime()() : "";
    WriteFileAtomic(LogFolder + "ErrorLog.txt", "Date: " + date + "\r\nTime: " + time + "\r\n" + text + "\r\n");
}

void CheckSectionHeader(const std::string& line, const std::string& name) {
    if (Upper(line) != "[" + name + "]") ReportError("[" + name + "] header hot found", 1);
}

std::string ReadFileOrDie(const std::string& path) {
    std::optional<std::string> bytes = LoadFile(path);
    if (!bytes) ReportError(ErrorLoadingFile + path, 1);
    return *bytes;
}
