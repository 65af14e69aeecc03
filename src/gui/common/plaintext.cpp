// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/plaintext.h"

#include <QTextDocument>

QString PlainText::ForToolTip(const QString& text)
{
    // What Qt takes for plain text is shown as it is; the rest goes in as escaped rich text, which
    // keeps white space and line breaks as plain text would.
    if (!Qt::mightBeRichText(text)) {
        return text;
    }
    return QStringLiteral("<p style=\"white-space:pre\">") + text.toHtmlEscaped() + QStringLiteral("</p>");
}
