// What every program does to its application object before it shows a window.
#pragma once

class QCoreApplication;

namespace qtshell {

// Names the program for settings paths and message-box captions. No display name is set:
// with one, Qt appends " — <name>" to every title the window manager sees, and the titles
// are designed to stand as they are.
void NameApplication(const char* name);

// Loads Qt's own Japanese texts (standard buttons, file dialogs), so they match the rest of
// the program. False when the translation files are not installed.
bool LoadJapaneseQtTexts(QCoreApplication& app);

}  // namespace qtshell
