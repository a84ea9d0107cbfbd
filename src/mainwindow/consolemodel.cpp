#include "consolemodel.h"

#include "protocol/messagedistance.h"

#include <QBrush>
#include <QColor>
#include <QDateTime>
#include <QJsonDocument>
#include <QSaveFile>

#include <algorithm>
#include <iterator>

namespace {

// Lines recorded beyond the ring before a batch is due are moved in at once, so memory stays
// bounded even if the event loop falls far behind.
constexpr int MaxUnbatched = 5000;
// What a kept report costs besides its text.
constexpr int ReportOverhead = 32;

int costOf(const QByteArray &json)
{
    return json.size() + ReportOverhead;
}

const char *const KindNames[] = {"ChangedByOthers",
                                 "Version",
                                 "VideoAudioIrMap",
                                 "WindowStatus",
                                 "InputChannelState",
                                 "NetWorkInformation",
                                 "InOutChannelResolutionMap",
                                 "OutputInfo",
                                 "BindInfo",
                                 "VolumeInformation",
                                 "TitleInformation",
                                 "RotateAngle",
                                 "HdcpInfo"};

// Control bytes written so they can be seen; everything else as it came.
QByteArray visible(const QByteArray &bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b != 0x7f) {
            out += c;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else {
            out += "\\x" + QByteArray::number(b, 16).rightJustified(2, '0');
        }
    }
    return out;
}

QString timeText(qint64 msecs)
{
    return QDateTime::fromMSecsSinceEpoch(msecs).toString(QStringLiteral("HH:mm:ss.zzz"));
}

} // namespace

ConsoleModel::ConsoleModel(QObject *parent) : QAbstractTableModel(parent)
{
    m_batch.setSingleShot(true);
    m_batch.setInterval(BatchMs);
    connect(&m_batch, &QTimer::timeout, this, &ConsoleModel::flush);
}

void ConsoleModel::follow(MessageDistance *client)
{
    connect(client, &MessageDistance::commandSent, this, &ConsoleModel::addSent);
    connect(client, &MessageDistance::si_commandNotSent, this, &ConsoleModel::addNotSent);
    connect(client, &MessageDistance::chunkReceived, this, &ConsoleModel::addReceived);
    connect(client, &MessageDistance::reportDispatched, this, &ConsoleModel::addReport);
    const auto peer = [client] {
        return QStringLiteral("%1:%2").arg(client->host()).arg(client->port());
    };
    connect(client, &MessageDistance::connectSuccessFulSig, this,
            [this, peer] { addLink(true, peer()); });
    connect(client, &MessageDistance::connectFailureSig, this,
            [this, peer] { addLink(false, peer()); });
}

QString ConsoleModel::signedBy(const QString &text) const
{
    return m_sender.isEmpty() ? text : m_sender + QStringLiteral(": ") + text;
}

void ConsoleModel::addSent(const QString &text)
{
    append(Sent, signedBy(text).toUtf8());
}

void ConsoleModel::addNotSent(const QString &text)
{
    addNote(tr("Not sent, the link is down: %1").arg(signedBy(text)));
}

void ConsoleModel::addReceived(const QByteArray &chunk)
{
    m_lastReceived = m_first + qint64(m_lines.size());
    append(Received, visible(chunk.left(MaxShownBytes)), chunk.size());
}

void ConsoleModel::addReport(int kind, const QJsonObject &object)
{
    if (m_lastReceived < m_first)
        return;
    Line &line = m_lines[size_t(m_lastReceived - m_first)];
    if (line.reports.size() >= MaxReportsPerLine) {
        ++line.reportsNotKept;
        return;
    }
    line.reports.append(Report{kind, QJsonDocument(object).toJson(QJsonDocument::Compact)});
    m_reportBytes += costOf(line.reports.constLast().json);
    if (m_lastReceived < m_shownEnd && (m_reportsChanged < 0 || m_lastReceived < m_reportsChanged))
        m_reportsChanged = m_lastReceived;
    dropOldReports();
}

void ConsoleModel::addLink(bool up, const QString &peer)
{
    // The link is tried again every few seconds while down; one mark per change is enough.
    if (m_link == int(up))
        return;
    m_link = int(up);
    append(Link, (up ? tr("Link up: %1") : tr("Link down: %1")).arg(peer).toUtf8());
}

void ConsoleModel::addNote(const QString &text)
{
    append(Note, text.toUtf8());
}

void ConsoleModel::append(Direction direction, QByteArray text, int size)
{
    Line line;
    line.msecs = QDateTime::currentMSecsSinceEpoch();
    line.direction = direction;
    line.size = size;
    line.text = std::move(text);
    m_lines.push_back(std::move(line));
    if (int(m_lines.size()) >= Capacity + MaxUnbatched)
        flush();
    else if (!m_batch.isActive())
        m_batch.start();
}

void ConsoleModel::dropOldReports()
{
    while (m_reportBytes > ReportBudgetBytes && m_reportFloor <= m_lastReceived) {
        releaseReports(m_lines[size_t(m_reportFloor - m_first)]);
        ++m_reportFloor;
    }
}

void ConsoleModel::releaseReports(Line &line)
{
    for (const Report &report : qAsConst(line.reports))
        m_reportBytes -= costOf(report.json);
    line.reportsNotKept += line.reports.size();
    line.reports = QVector<Report>();
}

void ConsoleModel::flush()
{
    m_batch.stop();
    const int excess = int(m_lines.size()) - Capacity;
    if (excess > 0) {
        const qint64 first = m_first + excess;
        const int rows =
            int(std::lower_bound(m_rows.begin(), m_rows.end(), first) - m_rows.begin());
        if (rows > 0)
            beginRemoveRows(QModelIndex(), 0, rows - 1);
        m_rows.erase(m_rows.begin(), m_rows.begin() + rows);
        for (int i = 0; i < excess; ++i) {
            releaseReports(m_lines.front());
            m_lines.pop_front();
        }
        m_first = first;
        m_shownEnd = std::max(m_shownEnd, first);
        m_reportFloor = std::max(m_reportFloor, first);
        if (rows > 0)
            endRemoveRows();
    }
    const qint64 end = m_first + qint64(m_lines.size());
    if (!m_paused && m_shownEnd < end) {
        std::vector<qint64> added;
        for (qint64 n = m_shownEnd; n < end; ++n) {
            if (matches(m_lines[size_t(n - m_first)]))
                added.push_back(n);
        }
        m_shownEnd = end;
        if (!added.empty()) {
            const int at = int(m_rows.size());
            beginInsertRows(QModelIndex(), at, at + int(added.size()) - 1);
            m_rows.insert(m_rows.end(), added.begin(), added.end());
            endInsertRows();
        }
    }
    if (m_reportsChanged >= m_first) {
        const auto from = std::lower_bound(m_rows.begin(), m_rows.end(), m_reportsChanged);
        if (from != m_rows.end())
            emit dataChanged(index(int(from - m_rows.begin()), 0),
                             index(int(m_rows.size()) - 1, ColumnCount - 1));
    }
    m_reportsChanged = -1;
    if (waitingLines() != m_lastWaiting) {
        m_lastWaiting = waitingLines();
        emit waitingChanged(m_lastWaiting);
    }
}

void ConsoleModel::clear()
{
    beginResetModel();
    m_first += qint64(m_lines.size());
    m_lines.clear();
    m_rows.clear();
    m_shownEnd = m_first;
    m_reportFloor = m_first;
    m_reportBytes = 0;
    m_reportsChanged = -1;
    endResetModel();
    m_batch.stop();
    m_lastWaiting = 0;
    emit waitingChanged(0);
}

bool ConsoleModel::setFilter(const QString &text, bool regex)
{
    m_filter = text;
    m_useRegex = regex && !text.isEmpty();
    m_filterError.clear();
    if (m_useRegex) {
        m_regex.setPattern(text);
        m_regex.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
        if (!m_regex.isValid()) {
            m_filterError = m_regex.errorString();
            m_useRegex = false;
            m_filter.clear();
        }
    }
    beginResetModel();
    m_rows.clear();
    for (qint64 n = m_first; n < m_shownEnd; ++n) {
        if (matches(m_lines[size_t(n - m_first)]))
            m_rows.push_back(n);
    }
    endResetModel();
    return m_filterError.isEmpty();
}

bool ConsoleModel::matches(const Line &line) const
{
    if (m_useRegex)
        return m_regex.match(QString::fromUtf8(line.text)).hasMatch();
    return m_filter.isEmpty() ||
           QString::fromUtf8(line.text).contains(m_filter, Qt::CaseInsensitive);
}

void ConsoleModel::setPaused(bool paused)
{
    m_paused = paused;
    if (!paused)
        flush();
}

int ConsoleModel::waitingLines() const
{
    return int(m_first + qint64(m_lines.size()) - m_shownEnd);
}

const ConsoleModel::Line &ConsoleModel::lineAt(int row) const
{
    return m_lines[size_t(m_rows[size_t(row)] - m_first)];
}

ConsoleModel::Direction ConsoleModel::direction(int row) const
{
    return lineAt(row).direction;
}

QString ConsoleModel::text(const Line &line) const
{
    QString text = QString::fromUtf8(line.text);
    if (line.size > MaxShownBytes)
        text += tr(" ... (%1 bytes in all)").arg(line.size);
    return text;
}

QString ConsoleModel::kindName(int kind)
{
    return kind >= 0 && kind < int(std::size(KindNames)) ? QLatin1String(KindNames[kind])
                                                         : QString::number(kind);
}

QString ConsoleModel::copyText(QList<int> rows) const
{
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    for (int row : qAsConst(rows)) {
        if (row < 0 || row >= rowCount())
            continue;
        QStringList cells;
        for (int column = 0; column < ColumnCount; ++column)
            cells << data(index(row, column)).toString();
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

QStringList ConsoleModel::reports(int row) const
{
    QStringList out;
    if (row < 0 || row >= rowCount())
        return out;
    const Line &line = lineAt(row);
    for (const Report &report : line.reports)
        out << kindName(report.kind) + QLatin1Char(' ') + QString::fromUtf8(report.json);
    if (line.reportsNotKept > 0)
        out << tr("Reports not kept: %1").arg(line.reportsNotKept);
    return out;
}

bool ConsoleModel::exportTo(const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *error = file.errorString();
        return false;
    }
    for (int row = 0; row < rowCount(); ++row) {
        file.write(copyText({row}).toUtf8() + '\n');
        for (const QString &report : reports(row))
            file.write("\t\t" + report.toUtf8() + '\n');
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

int ConsoleModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ConsoleModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ConsoleModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const Line &line = lineAt(index.row());
    if (role == Qt::ForegroundRole) {
        static const QColor colours[] = {QColor(0x1f, 0x5f, 0xbf), QColor(0x1b, 0x7f, 0x3b),
                                         QColor(0xa0, 0x5a, 0x00), QColor(0xc0, 0x39, 0x2b)};
        return QBrush(colours[line.direction]);
    }
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case TimeColumn:
        return timeText(line.msecs);
    case DirectionColumn:
        switch (line.direction) {
        case Sent:
            return tr("Sent");
        case Received:
            return tr("Received");
        case Link:
            return tr("Link");
        case Note:
            return tr("Note");
        }
        return QVariant();
    default:
        return text(line);
    }
}

QVariant ConsoleModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case TimeColumn:
        return tr("Time");
    case DirectionColumn:
        return tr("Direction");
    default:
        return tr("Text");
    }
}
