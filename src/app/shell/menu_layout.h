#pragma once
// Which command sits in which menu, for the start-up menu (before the first
// New or Open) and the full menu.

#include "shell/command_texts.h"

#include <vector>

namespace MenuLayout {

constexpr int kSeparator = 0;
// Where the recent files are listed.
constexpr int kRecentFiles = -1;

struct Menu
{
    MenuTitle title;
    std::vector<int> items;
};

const std::vector<Menu> &startupMenu();
const std::vector<Menu> &fullMenu();

} // namespace MenuLayout
