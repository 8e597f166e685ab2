// The game's standard dialogs: the best-time name entry and the save-name entry, the red message box and
// the yes/no question, all on the long "inputlong" panel or the short "input" panel, with the game's
// fonts and shadows.
//
// The message and question boxes come back open (started); the two text entries come back built but
// closed, and their owner starts them. The typed text is read from the entry's TextInput once Manage
// returned 1.
//
// Used by the board, play and best-time screens and the generating overlay.
#pragma once

#include <memory>
#include <string>

class TDialogOK;
class TDialogTextInput;
class TDialogYesNo;

// The characters a save name may not contain, so that the name is one plain file name.
extern const char* const SaveNameBannedChars;

std::unique_ptr<TDialogTextInput> InputLongDialog(int withCancel, int place, const std::string& caption);
std::unique_ptr<TDialogTextInput> InputDialog(int withCancel, const std::string& caption);
std::unique_ptr<TDialogOK> OKDialogLong(const std::string& caption);
std::unique_ptr<TDialogOK> OKDialogLongWhite(const std::string& caption);
std::unique_ptr<TDialogYesNo> YesNoDialogLong(const std::string& caption);
// A notice of any length: the plain box, wide enough for a file path, its text wrapped, the screen
// dimmed behind it; comes back open.
std::unique_ptr<TDialogOK> NoticeDialog(const std::string& text);
