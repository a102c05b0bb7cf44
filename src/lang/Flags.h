#pragma once

#include <QImage>
#include <QString>

// The national flags shown beside the language names in the settings dialog. Pictures are drawn
// in code, 18 by 12 pixels, 32-bit colour, so no image files have to travel with the program.

constexpr int FlagWidth = 18;
constexpr int FlagHeight = 12;
constexpr int FlagCount = 15;

// The picture at `index` (0 .. FlagCount - 1); a null image for any other index.
QImage FlagPicture(int index);

// The picture index for a language name, compared exactly (letter case included); -1 when the
// name is not one of the known languages.
int FlagIndexOfLanguage(const QString &language);
