#pragma once

#include <QColor>
#include <QString>

/// Reads the few fields the port dialogs need out of a forwarded reply text such as
/// {"Chn":3,"Mode":0,"Color":12,34,56}. The texts are not always valid JSON (bare colour
/// lists), so the fields are found by their keys.
class ReportText
{
public:
    /// The number after "Chn":; ok is false when there is none.
    static int channel(const QString &text, bool *ok);
    /// The text after key, up to the first of the stop characters (or the end), without
    /// quotes and surrounding blanks. Searched from "Chn": on when the text has it.
    static QString valueAfter(const QString &text, const QString &key,
                              const QString &stops = QStringLiteral(",}"));
    /// "r,g,b" as an opaque colour. A part that is not a decimal number reads as 0, and
    /// parts outside 0..255 are clamped. threeParts tells whether there were exactly three.
    static QColor colorFromText(const QString &text, bool *threeParts = nullptr);
};
