// Error reporting, the error log and the load-or-die helpers. The notice, the display close and
// the log's clock are replaceable so that the whole error path can be tested headless.
#include "core/ErrorReport.h"

#include <cstdio>
#include <utility>

#include "core/Game.h"
#include "core/StringUtils.h"
#include "platform/FileSystem.h"
#include "platform/System.h"
#include "platform/Window.h"

std::string LogFolder;

namespace {

ErrorNoticeFunction& Notice() {
    static ErrorNoticeFunction notice = [](const std::string& text) { Notify(text); };
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
void SetErrorCloseDisplay(std::function<void()> closeDisplay) { CloseDisplay() = std::move(closeDisplay); }

void SetErrorLogClock(std::function<std::string()> date, std::function<std::string()> time) {
    LogDate() = std::move(date);
    LogTime() = std::move(time);
}

void ShowNotice(const std::string& text) {
    if (Notice()) Notice()(text);
}

void ReportError(const std::string& text, int /*fatal*/) {
    ShowNotice(text);
    throw TRuntimeError(text);
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
    if (CloseDisplay()) CloseDisplay()();
    std::string text = UncaughtErrorText(error, Checkpoint);
    ShowNotice(text);
    WriteErrorLog(text);
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
