// The help engine: shows a help file (HTML) in a viewer window of its own. A bare file name is
// looked up in the current folder, then next to the program file, then in the installed data
// folder. Problems are reported by the engine's own message box, never by the error box.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

namespace vcl {

inline constexpr unsigned HELP_CONTEXT = 1;
inline constexpr unsigned HELP_QUIT = 2;
inline constexpr unsigned HELP_CONTENTS = 3;

// Runs a help command on `fileName` (CP932) for the window `owner`: HELP_CONTENTS shows the
// file's contents, HELP_QUIT closes the viewer. False when the command failed (the engine has
// then told the user why) or is not known.
bool WinHelp(QWidget* owner, const std::string& fileName, unsigned command, unsigned long data);

// The installed data folder, the last place a bare name is looked up in. Tests point it at a
// folder of their own.
QString HelpDataFolder();
void SetHelpDataFolder(const QString& folder);

// The path of `fileName`; empty when missing. A bare name is looked up in the current folder, then
// next to the program file, then in HelpDataFolder().
QString LocateHelpFile(const QString& fileName);

// The viewer window, null until the first file was shown.
QWidget* HelpViewer();
// Closes and deletes the viewer (the application object does this when it goes).
void DestroyHelpViewer();

// The engine's message box: (caption, text), both UTF-8. Tests replace it to record messages; an
// empty function restores the real box.
using HelpMessagePresenter =
    std::function<void(const std::string& caption, const std::string& text)>;
void SetHelpMessagePresenter(HelpMessagePresenter presenter);

}  // namespace vcl
