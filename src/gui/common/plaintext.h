// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Event titles are the user's own words, never markup. Qt guesses whether a tooltip is rich text
// from its first characters, and rich text may name files to load ("<img src=...>"): a title
// that looks like HTML would lose its tags on screen, or make the program read whatever it names.
namespace PlainText {

// `text` as a tooltip shows it character for character, line breaks included, and loads nothing.
QString ForToolTip(const QString& text);

} // namespace PlainText
