#pragma once

#include <QString>
#include <QStringList>

// Reads the device dictionaries that the program carries per platform: plain text, one entry a
// line, columns separated by TAB.
class HDeviceDictionary
{
public:
    // ":/data/<platform>/<fileName>".
    static QString path(const QString &platform, const QString &fileName);
    // Whether a whole line equals text (case-sensitive); false when the file cannot be read.
    static bool containsLine(const QString &platform, const QString &fileName, const QString &text);
    // The columns of the first line whose first column equals key (case-sensitive); empty when
    // no line does or the file cannot be read. Empty lines are never a match.
    static QStringList findRow(const QString &platform, const QString &fileName,
                               const QString &key);
};
