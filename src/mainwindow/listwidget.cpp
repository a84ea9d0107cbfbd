#include "listwidget.h"

#include "app/appsettings.h"
#include "state/devicestate.h"
#include "storage/portnamestore.h"

#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {
const char *const typeMime = "application/type";
constexpr int iconSide = 40;
constexpr int videoOffset = 100;
constexpr int tallEntry = 50;
constexpr int shortEntry = 30;

// The selected entry: white on the theme's dark blue-grey, without the platform's focus frame.
const char *const listStyle =
    "ListWidget{outline:none;} ListWidget::item:selected{background:#2c3e50;color:#ffffff;}";

QPixmap dot(const QColor &color, const QPen &ring)
{
    QPixmap pixmap(iconSide, iconSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(ring);
    painter.setBrush(color);
    // A small dot centred in the icon square, as the list shows a status light per entry.
    const qreal radius = iconSide / 4.0;
    painter.drawEllipse(QPointF(iconSide / 2.0, iconSide / 2.0), radius, radius);
    return pixmap;
}

QIcon circleIcon(const QColor &color)
{
    QIcon icon(dot(color, Qt::NoPen));
    // A white ring keeps a dark dot in sight on the dark selected entry.
    icon.addPixmap(dot(color, QPen(Qt::white, 2)), QIcon::Selected);
    return icon;
}
} // namespace

ListWidget::ListWidget(QWidget *parent)
    : QListWidget(parent), m_defaultIcon(circleIcon(QColor(51, 140, 86))),
      m_signalIcon(circleIcon(QColor(QStringLiteral("#338c56")))),
      m_noSignalIcon(circleIcon(QColor(QStringLiteral("#2c3e50")))),
      m_audioIcon(circleIcon(QColor(QStringLiteral("#6988a0")))),
      m_hdmiIcon(circleIcon(QColor(QStringLiteral("#789383"))))
{
    setIconSize(QSize(iconSide, iconSide));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setStyleSheet(QString::fromLatin1(listStyle));
}

void ListWidget::reloadSignals()
{
    PortNameStore store;
    setSignalNames(store.loadPortNames(InputVideoName), store.loadPortNames(InputAudioName));
}

QListWidgetItem *ListWidget::addEntry(int kind, int port, const QString &name)
{
    auto *item = new QListWidgetItem(m_defaultIcon, QStringLiteral(" [%1] %2").arg(port).arg(name));
    // The list cuts a long name at its end, "[port]" first; the tooltip holds all of it.
    item->setToolTip(QStringLiteral("[%1] %2").arg(port).arg(name));
    item->setData(PortRole, port);
    item->setData(NameRole, name);
    item->setData(KindRole, kind);
    item->setForeground(QColor(44, 62, 80));
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    addItem(item);
    return item;
}

void ListWidget::setSignalNames(const QMap<int, QString> &videoNames,
                                const QMap<int, QString> &audioNames)
{
    const QListWidgetItem *current = currentItem();
    const int currentKind = current ? current->data(KindRole).toInt() : -1;
    const int currentPort = current ? current->data(PortRole).toInt() : -1;

    clear();
    AppSettings *settings = AppSettings::instance();
    for (int port = 1; port <= PortsPerKind; ++port) {
        const QString stored = audioNames.value(port);
        const QString name =
            stored.isEmpty() ? AppSettings::defaultName(AppSettings::NameKind::Audio, port) : stored;
        addEntry(AudioKind, port, name);
        // The caches hold bare names: every view formats "[port] name" itself.
        settings->setAudioName(port, name);
    }
    for (int port = 1; port <= PortsPerKind; ++port) {
        const QString stored = videoNames.value(port);
        const QString name =
            stored.isEmpty() ? AppSettings::defaultName(AppSettings::NameKind::Input, port) : stored;
        addEntry(VideoKind, port, name);
        settings->setInputName(port, name);
    }
    if (QListWidgetItem *again = entry(currentKind, currentPort))
        setCurrentItem(again);
    applyMode();
}

QListWidgetItem *ListWidget::entry(int kind, int port) const
{
    for (int i = 0; i < count(); ++i) {
        QListWidgetItem *it = item(i);
        if (it->data(KindRole).toInt() == kind && it->data(PortRole).toInt() == port)
            return it;
    }
    return nullptr;
}

void ListWidget::setListMode(int mode)
{
    m_mode = (mode == AudioMode || mode == InfraredMode) ? mode : VideoMode;
    applyMode();
}

void ListWidget::refreshSelectionAndMode()
{
    applyMode();
}

void ListWidget::applyMode()
{
    QListWidgetItem *current = currentItem();
    const DeviceType type = DeviceState::instance()->deviceType();
    const DeviceState *state = DeviceState::instance();
    const bool audioPage = m_mode == AudioMode;
    for (int i = 0; i < count(); ++i) {
        QListWidgetItem *it = item(i);
        const int port = it->data(PortRole).toInt();
        it->setSizeHint(QSize(iconSide, audioPage ? shortEntry : tallEntry));
        if (it->data(KindRole).toInt() == AudioKind) {
            bool hidden = !audioPage || type == Dev0409S || type == Dev0808S;
            if (type == Dev0404 && port > 4)
                hidden = true;
            it->setHidden(hidden);
            it->setIcon(m_audioIcon);
            it->setForeground(QColor(44, 62, 80));
            continue;
        }
        if (audioPage) {
            it->setIcon(m_hdmiIcon);
            it->setForeground(QColor(44, 62, 80));
            continue;
        }
        const bool signal = state->inputSignalAt(port);
        it->setIcon(signal ? m_signalIcon : m_noSignalIcon);
        it->setForeground(QColor(signal ? QStringLiteral("#338c56") : QStringLiteral("#2c3e50")));
    }
    if (current)
        setCurrentItem(current);
}

void ListWidget::arrangeForDeviceType(DeviceType type)
{
    // The wall model and the 0404 have four inputs; the rest have eight.
    const bool fourInputs = type == Dev0409S || type == Dev0404;
    for (int i = 0; i < count(); ++i) {
        QListWidgetItem *it = item(i);
        if (it->data(KindRole).toInt() == VideoKind)
            it->setHidden(fourInputs && it->data(PortRole).toInt() > 4);
    }
    applyMode();
}

QMimeData *ListWidget::createDragData(const QListWidgetItem *item) const
{
    if (!item)
        return nullptr;
    auto *data = new QMimeData;
    const int port = item->data(PortRole).toInt();
    if (item->data(KindRole).toInt() == VideoKind) {
        data->setText(QString::number(port + videoOffset));
        data->setData(QString::fromLatin1(typeMime), QByteArrayLiteral("1"));
    } else {
        data->setText(QString::number(port));
    }
    return data;
}

QStringList ListWidget::mimeTypes() const
{
    return {QStringLiteral("text/plain"), QString::fromLatin1(typeMime)};
}

QMimeData *ListWidget::mimeData(const QList<QListWidgetItem *> items) const
{
    return items.isEmpty() ? nullptr : createDragData(items.first());
}

void ListWidget::startDrag(Qt::DropActions supportedActions)
{
    Q_UNUSED(supportedActions)
    // Copy only: with a move the view would delete the dragged entry once a table accepted it.
    QListWidget::startDrag(Qt::CopyAction);
}
