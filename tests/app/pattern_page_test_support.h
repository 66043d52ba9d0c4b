#pragma once
// The automatic pattern dialog shown with one of its tabs chosen, for the
// tests of the pattern pages.

#include "patterns/auto_pattern_dialog.h"

#include <QTabWidget>

// The page of tab `tab`, or null when that tab holds another kind of page.
template <typename Page> Page *openPatternPage(AutoPatternDialog &dialog, int tab)
{
    dialog.show();
    dialog.tabs()->setCurrentIndex(tab);
    return qobject_cast<Page *>(dialog.page());
}
