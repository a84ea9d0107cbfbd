#include "duplicatekeys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QString>
#include <QVector>

namespace {

struct Member
{
    QString key;
    int begin;
    int end;
};

class FlatObjectScan
{
public:
    explicit FlatObjectScan(const QByteArray &text) : m_text(text) {}

    bool run(QVector<Member> *members)
    {
        skipSpace();
        if (!take('{'))
            return false;
        skipSpace();
        if (take('}'))
            return atEnd();
        for (;;) {
            skipSpace();
            const int begin = m_pos;
            int keyEnd = 0;
            if (!skipString(&keyEnd))
                return false;
            const QByteArray rawKey = m_text.mid(begin, keyEnd - begin);
            skipSpace();
            if (!take(':'))
                return false;
            skipSpace();
            if (!skipValue())
                return false;
            members->append(Member{decodeKey(rawKey), begin, m_pos});
            skipSpace();
            if (take(','))
                continue;
            return take('}') && atEnd();
        }
    }

private:
    bool atEnd()
    {
        skipSpace();
        return m_pos == m_text.size();
    }
    void skipSpace()
    {
        while (m_pos < m_text.size()) {
            const char c = m_text.at(m_pos);
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                return;
            ++m_pos;
        }
    }
    bool take(char c)
    {
        if (m_pos < m_text.size() && m_text.at(m_pos) == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool skipString(int *end)
    {
        if (!take('"'))
            return false;
        while (m_pos < m_text.size()) {
            const char c = m_text.at(m_pos++);
            if (c == '\\') {
                ++m_pos;
            } else if (c == '"') {
                *end = m_pos;
                return true;
            }
        }
        return false;
    }
    // Values are strings, arrays (of anything but objects: a report ends at its first "}")
    // and bare words or numbers.
    bool skipValue()
    {
        int end = 0;
        if (m_pos < m_text.size() && m_text.at(m_pos) == '"')
            return skipString(&end);
        int depth = 0;
        while (m_pos < m_text.size()) {
            const char c = m_text.at(m_pos);
            if (c == '"') {
                if (!skipString(&end))
                    return false;
                continue;
            }
            if (c == '[') {
                ++depth;
            } else if (c == ']') {
                if (--depth < 0)
                    return false;
            } else if (depth == 0 && (c == ',' || c == '}')) {
                return true;
            }
            ++m_pos;
        }
        return false;
    }
    // Keys with escapes are compared by what they mean, as the parser compares them.
    static QString decodeKey(const QByteArray &raw)
    {
        if (!raw.contains('\\'))
            return QString::fromUtf8(raw.constData() + 1, raw.size() - 2);
        const QJsonArray array = QJsonDocument::fromJson('[' + raw + ']').array();
        return array.isEmpty() ? QString::fromUtf8(raw) : array.at(0).toString();
    }

    const QByteArray &m_text;
    int m_pos = 0;
};

} // namespace

namespace DuplicateKeys {

QByteArray keepLast(const QByteArray &json)
{
    QVector<Member> members;
    if (!FlatObjectScan(json).run(&members) || members.size() < 2)
        return json;
    QSet<QString> seen;
    QVector<bool> keep(members.size(), true);
    bool repeated = false;
    for (int i = members.size() - 1; i >= 0; --i) {
        if (seen.contains(members.at(i).key)) {
            keep[i] = false;
            repeated = true;
        } else {
            seen.insert(members.at(i).key);
        }
    }
    if (!repeated)
        return json;
    QByteArray out = "{";
    for (int i = 0; i < members.size(); ++i) {
        if (!keep.at(i))
            continue;
        if (out.size() > 1)
            out += ',';
        out += json.mid(members.at(i).begin, members.at(i).end - members.at(i).begin);
    }
    out += '}';
    return out;
}

} // namespace DuplicateKeys
