#pragma once

#include <QAbstractTableModel>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimer>
#include <QVector>

#include <deque>

class MessageDistance;

/// The protocol console's lines: what went out, what came in as read, the reports cut from it,
/// and the link's marks, in a ring of the last Capacity lines. Lines are recorded at once and
/// reach the rows in batches, at most one every BatchMs, with one insertion and one removal,
/// so a flood costs the views a few calls a second. The rows are the lines that pass the
/// filter; while paused, new lines wait in the ring and the rows stay as they are.
class ConsoleModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Direction
    {
        Sent,
        Received,
        Link,
        Note
    };
    enum Column
    {
        TimeColumn,
        DirectionColumn,
        TextColumn,
        ColumnCount
    };
    static constexpr int Capacity = 20000;
    static constexpr int BatchMs = 100;
    /// Of a received piece, this many bytes are kept; the line notes the full size.
    static constexpr int MaxShownBytes = 160;
    /// Reports kept per received line; further ones are only counted.
    static constexpr int MaxReportsPerLine = 64;
    /// All lines' reports together: beyond it the oldest lines lose theirs first.
    static constexpr int ReportBudgetBytes = 2 * 1024 * 1024;

    explicit ConsoleModel(QObject *parent = nullptr);

    /// Records what `client` sends, reads and dispatches, and its link going up and down.
    void follow(MessageDistance *client);
    /// The name lines sent from now on carry in front, empty for none.
    void setSender(const QString &name) { m_sender = name; }

    void addSent(const QString &text);
    void addNotSent(const QString &text);
    void addReceived(const QByteArray &chunk);
    /// Attaches a dispatched report to the latest received line.
    void addReport(int kind, const QJsonObject &object);
    void addLink(bool up, const QString &peer);
    void addNote(const QString &text);

    /// Moves the lines recorded since the last batch into the rows (unless paused) and drops
    /// what no longer fits the ring.
    void flush();
    void clear();
    /// Plain text (any case) or a regular expression; false when the expression is invalid,
    /// which then filters nothing.
    bool setFilter(const QString &text, bool regex);
    QString filterError() const { return m_filterError; }
    void setPaused(bool paused);
    bool isPaused() const { return m_paused; }
    /// Lines recorded but not yet among the rows.
    int waitingLines() const;
    /// Lines in the ring, shown, filtered out or waiting.
    int lineCount() const { return int(m_lines.size()); }

    Direction direction(int row) const;
    /// Time, direction and text of each row, tab separated, one row a line, in row order.
    QString copyText(QList<int> rows) const;
    /// The reports attached to a row, "kind json" each.
    QStringList reports(int row) const;
    /// Writes the rows, each followed by its reports, to `path`; false with the reason.
    bool exportTo(const QString &path, QString *error) const;
    static QString kindName(int kind);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    void waitingChanged(int lines);

private:
    struct Report
    {
        int kind;
        QByteArray json;
    };
    struct Line
    {
        qint64 msecs = 0;
        Direction direction = Note;
        int size = 0; // a received piece's full size
        QByteArray text;
        QVector<Report> reports;
        int reportsNotKept = 0;
    };

    void append(Direction direction, QByteArray text, int size = 0);
    const Line &lineAt(int row) const;
    QString text(const Line &line) const;
    bool matches(const Line &line) const;
    void dropOldReports();
    /// Takes a line's reports out of the report budget and counts them as not kept.
    void releaseReports(Line &line);
    /// The text as sent by this console's user.
    QString signedBy(const QString &text) const;

    std::deque<Line> m_lines;
    qint64 m_first = 0;         // number of the oldest line in the ring
    qint64 m_shownEnd = 0;      // lines before it have been through the filter
    std::deque<qint64> m_rows;  // numbers of the lines the rows show
    qint64 m_lastReceived = -1; // where reports attach
    qint64 m_reportFloor = 0;   // no line before it holds reports
    qint64 m_reportBytes = 0;
    qint64 m_reportsChanged = -1; // the oldest shown line given reports since the last batch
    int m_lastWaiting = 0;
    int m_link = -1; // the last link mark: 1 up, 0 down
    bool m_paused = false;
    QString m_sender;
    QString m_filter;
    QRegularExpression m_regex;
    bool m_useRegex = false;
    QString m_filterError;
    QTimer m_batch;
};
