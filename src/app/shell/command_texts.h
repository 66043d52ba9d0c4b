#pragma once
// The built-in menu texts: one Chinese and one English text per command id
// and per menu title. Menus are not translated through the language files;
// the traditional setting shows the Chinese texts converted.

#include <QList>
#include <QString>

enum class MenuTitle { File, Edit, View, Picture, AutoPlay, Build, Language, Help };

// The item text for `languageCode` (0 Chinese, 1 English, 2 traditional),
// with "&" marking the mnemonic and "\t" separating the accelerator text.
// An unknown id gives an empty text.
QString commandText(int id, int languageCode);
QString menuTitleText(MenuTitle title, int languageCode);

// The item text without mnemonic and accelerator, for tool tips:
// "打开(&O)...\tCtrl+O" gives "打开...".
QString plainCommandText(int id, int languageCode);

// Every id that has a text, in table order.
QList<int> commandTextIds();
