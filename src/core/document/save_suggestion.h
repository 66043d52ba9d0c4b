#pragma once
// Where a save dialog starts: in the open project's folder, with the
// project's base name and the extension of the file being saved
// ("/shows/park.wst" suggests "/shows/park.line" for its wiring).

#include <QString>

class Document;

// `suffix` without the dot. Empty when the project has no file yet (nor a
// damaged file it was recovered from): the dialog then starts where it
// would anyway.
QString saveSuggestion(const QString &projectPath, const QString &suffix);
QString saveSuggestion(const Document &doc, const QString &suffix);
// The project's file, or the damaged file a recovered copy came from.
QString projectPathForSaves(const Document &doc);
