#pragma once
// The pictures of the pattern keys: each shows what the key does to a
// small sample picture (an arrow with a marked corner), with the key's
// letter in the corner, so the pictures change with the action type.

#include "patterns/pattern_keys.h"

#include <QIcon>

QIcon patternKeyPicture(PatternAction action, PatternKey key);
