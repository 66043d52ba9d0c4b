#pragma once
// A tool page with an undo history of its own (the " Line " page and its
// wiring steps). While such a page is current, Edit > Undo and Redo, their
// keys and the tool bar buttons act on its history instead of the frames'.

#include <QObject>
#include <QString>

class PageHistory : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool canUndo() const = 0;
    virtual bool canRedo() const = 0;
    // What the next undo / redo would take back or bring back, for the
    // menu item; empty when the history does not name its steps.
    virtual QString undoName() const = 0;
    virtual QString redoName() const = 0;
    virtual void undo() = 0;
    virtual void redo() = 0;

signals:
    // A step was added, taken back or dropped.
    void changed();
};
