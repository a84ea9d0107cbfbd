#pragma once

#include "state/devicetype.h"

#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>

/// Reading the flat report objects of the device: ports out of keys, values as text, number or
/// flag, and the echoed command texts of change notices.
namespace StatusKeys {

/// The key split at every occurrence of `word`, empty pieces dropped.
QStringList splitByWord(const QString &key, const QString &word);
/// True when splitting leaves exactly one piece; that piece, as a number, is the port.
bool portOf(const QString &key, const QString &word, int *port);
/// The value as text: strings as they are, flags as "true"/"false", numbers in decimal.
QString valueText(const QJsonValue &value);
/// Numbers as numbers, texts converted (0 when they are no number).
int valueNumber(const QJsonValue &value);
bool valueIsTrue(const QJsonValue &value);
/// "port" of a change notice key: the part before the first "_" without the kind word.
int changedPort(const QString &key, const QString &word);

/// A command text echoed in a change notice, e.g. "Frozen3/1!".
struct Echo
{
    int port = 0;
    QString value;
};
/// Port = text before "/" with `keyword` removed; value = text after it without "/" and "!".
Echo parseEcho(const QString &text, const QString &keyword);

/// Outputs of the splice modes of a Dev0808S (shared with the simulator).
using ::spliceModeOutputs;

} // namespace StatusKeys
