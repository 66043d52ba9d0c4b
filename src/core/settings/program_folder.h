#pragma once
// Where the program's own files live. The folder of the executable when it
// is a usable program folder (the settings file is there, or the folder is
// writable: a portable or build-tree install); otherwise the settings go to
// $XDG_CONFIG_HOME/Brightloom and the read-only files (language files, start
// pictures, palette start file) come from the installed data folder.

#include <QString>

// Folder that holds "Brightloom.ini" (created when missing).
QString settingsFolder();
QString settingsFilePath();

// Full path of a read-only program file such as "English.ini": the
// executable's folder when the file is there, else the installed data folder.
QString programFilePath(const QString &name);

// Tests and the command-line tool may point the program folder elsewhere.
void setProgramFolderOverride(const QString &folder);
