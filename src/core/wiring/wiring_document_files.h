#pragma once
// The document's wiring to and from ".line" files: the wiring page's Save
// and Open, and the project's File commands, which keep a project and its
// wiring together (X.wst beside X.line). Saving or loading clears the
// wiring's modified mark.

#include <QString>

class Document;
class Prompt;

// The wiring page's file filter, "Line file(*.line)".
QString lineFileFilter();

// The wiring file that belongs to a project: X.wst gives X.line in the same
// folder; a project without a file gives "NewFile.line".
QString wiringFileBeside(const QString &projectPath);

// Writes the document's records (LED circuitry) to `path`. A wiring without
// records is refused with "No line data."; a failed write says "Save file
// fail." and the system's reason, and keeps the old file. True when
// written.
bool saveWiringFile(Document &doc, const QString &path, Prompt &prompt);

// Reads an LED ".line" file of the document's grid size into its wiring,
// in place of the records it holds. With `askBeforeReplacing` a wiring that
// has records is replaced only when the user agrees. A file that cannot be
// read, is too short or was made for another grid or circuitry is reported
// and the wiring stays as it was; an incomplete file or records no grid of
// this size can hold load what is usable, with a warning. True when loaded.
bool loadWiringFile(Document &doc, const QString &path, Prompt &prompt, bool askBeforeReplacing);
