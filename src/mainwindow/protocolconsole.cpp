#include "protocolconsole.h"

#include "app/appsettings.h"
#include "consolemodel.h"
#include "protocol/messagedistance.h"
#include "uikit/msgdlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Filtering runs over the whole ring, so it waits until the operator stops typing.
constexpr int FilterDelayMs = 200;

} // namespace

ProtocolConsole::ProtocolConsole(ConsoleModel *model, MessageDistance *client, QWidget *parent)
    : QWidget(parent), m_model(model), m_client(client), m_filter(new QLineEdit(this)),
      m_regex(new QCheckBox(this)), m_pause(new QPushButton(this)), m_waiting(new QLabel(this)),
      m_clear(new QPushButton(this)), m_copy(new QPushButton(this)),
      m_export(new QPushButton(this)), m_view(new QTableView(this)),
      m_reports(new QPlainTextEdit(this)), m_commandRow(new QWidget(this)),
      m_command(new QLineEdit(m_commandRow)), m_send(new QPushButton(m_commandRow)),
      m_filterDelay(new QTimer(this))
{
    setObjectName(QStringLiteral("protocolConsole"));
    m_filter->setObjectName(QStringLiteral("consoleFilter"));
    m_pause->setObjectName(QStringLiteral("consolePause"));
    m_waiting->setObjectName(QStringLiteral("consoleWaiting"));
    m_copy->setObjectName(QStringLiteral("consoleCopy"));
    m_view->setObjectName(QStringLiteral("consoleView"));
    m_reports->setObjectName(QStringLiteral("consoleReports"));
    m_command->setObjectName(QStringLiteral("consoleCommand"));
    m_send->setObjectName(QStringLiteral("consoleSend"));
    m_pause->setCheckable(true);
    m_filter->setClearButtonEnabled(true);

    auto *tools = new QHBoxLayout;
    tools->addWidget(m_filter, 1);
    tools->addWidget(m_regex);
    tools->addWidget(m_pause);
    tools->addWidget(m_waiting);
    tools->addStretch();
    tools->addWidget(m_clear);
    tools->addWidget(m_copy);
    tools->addWidget(m_export);

    // Every row is one text line of one height: the view never measures rows.
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setWordWrap(false);
    m_view->setShowGrid(false);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    QHeaderView *columns = m_view->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->resizeSection(ConsoleModel::TimeColumn,
                           fontMetrics().horizontalAdvance(QStringLiteral("00:00:00.0000")) + 12);
    columns->resizeSection(ConsoleModel::DirectionColumn,
                           fontMetrics().horizontalAdvance(QStringLiteral("Received__")) + 12);
    columns->setStretchLastSection(true);
    m_view->setMinimumHeight(220);
    m_reports->setReadOnly(true);
    m_reports->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Room for a few reports; never squeezed until its first line is cut.
    m_reports->setMinimumHeight(fontMetrics().lineSpacing() * 3 + 16);
    m_reports->setFrameShape(QFrame::StyledPanel);

    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_view);
    split->addWidget(m_reports);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);

    auto *commandLayout = new QHBoxLayout(m_commandRow);
    commandLayout->setContentsMargins(0, 0, 0, 0);
    commandLayout->addWidget(m_command, 1);
    commandLayout->addWidget(m_send);
    m_commandRow->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(tools);
    layout->addWidget(split, 1);
    layout->addWidget(m_commandRow);

    m_filterDelay->setSingleShot(true);
    m_filterDelay->setInterval(FilterDelayMs);
    connect(m_filterDelay, &QTimer::timeout, this, &ProtocolConsole::applyFilter);
    connect(m_filter, &QLineEdit::textChanged, m_filterDelay, QOverload<>::of(&QTimer::start));
    connect(m_regex, &QCheckBox::toggled, this, &ProtocolConsole::applyFilter);
    connect(m_pause, &QPushButton::toggled, this, [this](bool paused) {
        m_model->setPaused(paused);
        showWaiting(m_model->waitingLines());
    });
    connect(m_model, &ConsoleModel::waitingChanged, this, &ProtocolConsole::showWaiting);
    connect(m_clear, &QPushButton::clicked, m_model, &ConsoleModel::clear);
    connect(m_copy, &QPushButton::clicked, this, &ProtocolConsole::copySelection);
    connect(new QShortcut(QKeySequence::Copy, m_view, nullptr, nullptr, Qt::WidgetShortcut),
            &QShortcut::activated, this, &ProtocolConsole::copySelection);
    connect(m_export, &QPushButton::clicked, this, &ProtocolConsole::exportLines);
    const auto send = [this] {
        sendTyped(m_command->text());
        m_command->clear();
    };
    connect(m_command, &QLineEdit::returnPressed, this, send);
    connect(m_send, &QPushButton::clicked, this, send);

    // The view follows new lines only while it stands at the end.
    connect(m_model, &QAbstractItemModel::rowsAboutToBeInserted, this, [this] {
        const QScrollBar *bar = m_view->verticalScrollBar();
        m_follow = bar->value() == bar->maximum();
    });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        if (m_follow)
            m_view->scrollToBottom();
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ProtocolConsole::showReports);
    connect(m_model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &from, const QModelIndex &to) {
                const int row = m_view->currentIndex().row();
                if (row >= from.row() && row <= to.row())
                    showReports();
            });
    connect(m_model, &QAbstractItemModel::modelReset, this, &ProtocolConsole::showReports);
    retranslate();
    m_model->flush();
    m_view->scrollToBottom();
}

void ProtocolConsole::setCommandsAllowed(bool allowed)
{
    m_commandRow->setVisible(allowed);
}

bool ProtocolConsole::isCommand(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("\\A\\{param=[^{}]+\\}\\z"));
    return shape.match(text).hasMatch();
}

void ProtocolConsole::sendTyped(const QString &text)
{
    // The rights are checked again here: the row may be gone while a press is on its way.
    if (m_commandRow->isHidden() || AppSettings::instance()->currentUserType() != 0)
        return;
    if (!isCommand(text)) {
        m_model->addNote(
            tr("Refused, a command is {param=...} with no further braces: %1").arg(text));
    } else {
        m_model->setSender(AppSettings::instance()->currentUser());
        m_client->sendCommand(text);
        m_model->setSender(QString());
    }
    m_model->flush();
}

void ProtocolConsole::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ProtocolConsole::retranslate()
{
    m_filter->setPlaceholderText(tr("Filter"));
    m_regex->setText(tr("Regex"));
    m_pause->setText(tr("Pause"));
    m_clear->setText(tr("Clear"));
    m_copy->setText(tr("Copy"));
    m_export->setText(tr("Export..."));
    m_command->setPlaceholderText(tr("{param=...}"));
    m_send->setText(tr("Send"));
    // A hint drawn as placeholder sat half under the list above; the tooltip says it whole.
    m_reports->setToolTip(tr("The reports cut from the selected received line"));
    showWaiting(m_model->waitingLines());
}

void ProtocolConsole::applyFilter()
{
    m_filterDelay->stop();
    if (m_model->setFilter(m_filter->text(), m_regex->isChecked())) {
        m_filter->setStyleSheet(QString());
        m_filter->setToolTip(QString());
    } else {
        m_filter->setStyleSheet(
            QStringLiteral("QLineEdit { border: 1px solid #d9534f; background: #fdecea; }"));
        m_filter->setToolTip(tr("Invalid expression: %1").arg(m_model->filterError()));
    }
    m_view->scrollToBottom();
}

void ProtocolConsole::showReports()
{
    m_reports->setPlainText(m_model->reports(m_view->currentIndex().row()).join(QLatin1Char('\n')));
}

void ProtocolConsole::copySelection()
{
    QList<int> rows;
    for (const QModelIndex &index : m_view->selectionModel()->selectedRows())
        rows << index.row();
    if (!rows.isEmpty())
        QApplication::clipboard()->setText(m_model->copyText(rows));
}

void ProtocolConsole::exportLines()
{
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Export the protocol console"),
                                     QStringLiteral("protocol.txt"), tr("Text files (*.txt)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!m_model->exportTo(path, &error)) {
        MsgDlg dialog(tr("Export"), tr("The console cannot be saved:\n%1").arg(error), this);
        dialog.exec();
    }
}

void ProtocolConsole::showWaiting(int lines)
{
    m_waiting->setText(m_model->isPaused() ? tr("Lines waiting: %1").arg(lines) : QString());
}
