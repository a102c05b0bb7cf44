#pragma once

#include <QString>

// True when `name` contains every word of `filter`, in any order and without regard to letter
// case; spaces, hyphens and other punctuation do not count, so "code128" finds "Code 128" and
// "ean13" finds "EAN-13". An empty filter matches every name.
bool MatchesSymbologyFilter(const QString &name, const QString &filter);
