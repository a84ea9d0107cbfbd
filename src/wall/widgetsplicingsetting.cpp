#include "widgetsplicingsetting.h"
#include "ui_widgetsplicingsetting.h"

#include "corvaneresources.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "tableitemsplicingrealscreen.h"

#include <QActionGroup>
#include <QColorDialog>
#include <QDebug>
#include <QEventLoop>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

namespace {
const char DefaultResolution[] = "1920x1080x60Hz";

// Rows and columns of real screens per VIR mode 0..3.
const int ScreenRows[] = {3, 1, 2, 4};
const int ScreenColumns[] = {3, 9, 4, 2};

const char MenuStyle[] = "QMenu{background-color:#ffffff;border:1px solid rgb(200,200,200);}"
                         "QMenu::item{min-width:110px;min-height:25px;font-size:12px;color:#2c3e50;"
                         "padding:0px 16px;background:transparent;}"
                         "QMenu::item:selected{background-color:rgba(6,118,255,50);}"
                         "QMenu::item:pressed{background-color:rgba(6,118,255,100);}"
                         "QMenu::item:checked{background-color:rgba(6,118,255,75);}"
                         "QMenu::indicator{width:0px;height:0px;}";

enum Edge
{
    LeftEdge = 1,
    RightEdge = 2,
    TopEdge = 4,
    BottomEdge = 8
};

QString outputOneResolution()
{
    const QString text = DeviceState::instance()->outputResolutionAt(1);
    return text.isEmpty() ? QString::fromLatin1(DefaultResolution) : text;
}
} // namespace

WidgetSplicingSetting::WidgetSplicingSetting(QWidget *parent)
    : QWidget(parent), m_ui(new Ui::WidgetSplicingSetting), m_shadow(25, QColor(19, 106, 103), 10)
{
    initCorvaneResources();
    m_ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowModality(Qt::ApplicationModal);
    // Hover over the shadow margin shows the resize cursors.
    setMouseTracking(true);
    m_ui->widget_bg->installEventFilter(this);

    m_ui->cbb_layout->addItems({QStringLiteral("3x3"), QStringLiteral("1x9"), QStringLiteral("2x4"),
                                QStringLiteral("4x2")});
    m_ui->cbb_resolu->addItems({QStringLiteral("800x600x60Hz"), QStringLiteral("1024x768x60Hz"),
                                QStringLiteral("1280x720x60Hz"), QStringLiteral("1280x768x60Hz"),
                                QStringLiteral("1280x800x60Hz"), QStringLiteral("1280x960x60Hz"),
                                QStringLiteral("1280x1024x60Hz"), QStringLiteral("1360x768x60Hz"),
                                QStringLiteral("1440x900x60Hz"), QStringLiteral("1600x900x60Hz"),
                                QStringLiteral("1600x1200x60Hz"), QStringLiteral("1920x1080x60Hz"),
                                QStringLiteral("1920x1200x60Hz")});
    for (int r = 0; r < 4; ++r)
        m_ui->cbb_rotate->addItem(TableItemSplicingRealScreen::rotationText(r));

    QTableWidget *table = m_ui->tw_real_screen;
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    // activated is the operator's choice only, so filling the boxes from the store sends
    // nothing; choosing the entry already shown sends it again.
    connect(m_ui->cbb_layout, QOverload<int>::of(&QComboBox::activated), this,
            &WidgetSplicingSetting::layoutChosen);
    connect(m_ui->cbb_resolu, QOverload<int>::of(&QComboBox::activated), this,
            &WidgetSplicingSetting::resolutionChosen);
    connect(m_ui->cbb_rotate, QOverload<int>::of(&QComboBox::activated), this,
            &WidgetSplicingSetting::rotationChosen);
    connect(table, &QTableWidget::customContextMenuRequested, this,
            &WidgetSplicingSetting::showRotationMenu);
    connect(table, &QTableWidget::itemSelectionChanged, this,
            &WidgetSplicingSetting::screenSelectionChanged);

    showNoInputColor();
}

WidgetSplicingSetting::~WidgetSplicingSetting()
{
    if (m_loop)
        m_loop->quit();
    delete m_ui;
}

void WidgetSplicingSetting::showModalLoop()
{
    if (m_loop)
        m_loop->quit();
    QEventLoop loop;
    m_loop = &loop;
    if (isVisible()) {
        refreshFromState();
    } else if (QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr) {
        // A top-level window of its own: placed over the window that opened it, not at the
        // screen's corner.
        move(owner->frameGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
    loop.exec(QEventLoop::DialogExec);
}

void WidgetSplicingSetting::refreshFromState()
{
    DeviceState *store = DeviceState::instance();
    const QSignalBlocker layoutBlocker(m_ui->cbb_layout);
    const QSignalBlocker resolutionBlocker(m_ui->cbb_resolu);
    const QSignalBlocker rotateBlocker(m_ui->cbb_rotate);
    m_ui->cbb_layout->setCurrentIndex(store->virMode());
    rebuildTable();
    // A resolution this list does not offer (set from the output menu) shows as no entry.
    m_ui->cbb_resolu->setCurrentIndex(m_ui->cbb_resolu->findText(outputOneResolution()));
    m_rotateIndex = TableItemSplicingRealScreen::shownRotation(store->rotateAngleAt(1));
    m_ui->cbb_rotate->setCurrentIndex(m_rotateIndex);
}

void WidgetSplicingSetting::rebuildTable()
{
    DeviceState *store = DeviceState::instance();
    const int vir = store->virMode();
    const int rows = ScreenRows[vir];
    const int columns = ScreenColumns[vir];
    const QString resolution = outputOneResolution();
    QTableWidget *table = m_ui->tw_real_screen;
    const QSignalBlocker blocker(table);
    table->clear();
    table->setRowCount(rows);
    table->setColumnCount(columns);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const int screen = r * columns + c + 1;
            table->setItem(
                r, c,
                new TableItemSplicingRealScreen(screen, resolution, store->rotateAngleAt(screen)));
        }
    }
}

QList<TableItemSplicingRealScreen *> WidgetSplicingSetting::screens() const
{
    QList<TableItemSplicingRealScreen *> out;
    const QTableWidget *table = m_ui->tw_real_screen;
    for (int r = 0; r < table->rowCount(); ++r) {
        for (int c = 0; c < table->columnCount(); ++c) {
            if (auto *screen = dynamic_cast<TableItemSplicingRealScreen *>(table->item(r, c)))
                out << screen;
        }
    }
    return out;
}

void WidgetSplicingSetting::refreshRotations()
{
    DeviceState *store = DeviceState::instance();
    const QList<TableItemSplicingRealScreen *> all = screens();
    for (TableItemSplicingRealScreen *screen : all)
        screen->setRotation(store->rotateAngleAt(screen->screen()));
}

bool WidgetSplicingSetting::linkUp() const
{
    return MessageDistance::instance()->isConnected();
}

void WidgetSplicingSetting::layoutChosen(int index)
{
    if (index < 0 || index > 3)
        return;
    const bool up = linkUp();
    // With the link down the client refuses the command and tells the main window; the form
    // goes back to the store, which never takes a layout the device did not get.
    MessageDistance::instance()->setVirMode(index);
    if (!up) {
        refreshFromState();
        return;
    }
    DeviceState::instance()->setVirMode(index);
    emit si_update3BtnLayout();
    rebuildTable();
    emit si_orderToRecalculate();
}

void WidgetSplicingSetting::resolutionChosen(int index)
{
    if (index < 0)
        return;
    const QString text = m_ui->cbb_resolu->itemText(index);
    const bool up = linkUp();
    // The one resolution drives the whole wall, so only output 1 is set.
    MessageDistance::instance()->setPortResolution(1, text);
    if (!up) {
        refreshFromState();
        return;
    }
    DeviceState *store = DeviceState::instance();
    QMap<int, QString> resolutions = store->outputResolution();
    resolutions.insert(1, text);
    store->setOutputResolution(resolutions);
    const QList<TableItemSplicingRealScreen *> all = screens();
    for (TableItemSplicingRealScreen *screen : all)
        screen->setResolution(text);
    emit si_orderToRecalculate();
}

void WidgetSplicingSetting::rotationChosen(int index)
{
    if (index < 0 || index > 3)
        return;
    if (!linkUp()) {
        MessageDistance::instance()->setRotate(1, index);
        refreshFromState();
        return;
    }
    m_rotateIndex = index;
    DeviceState::instance()->setRotateAngleAt(1, index);
    MessageDistance::instance()->setRotate(1, index);
    refreshRotations();
    emit si_update3BtnLayout();
    emit si_orderToRecalculate();
}

void WidgetSplicingSetting::screenSelectionChanged()
{
    const QList<QTableWidgetItem *> selected = m_ui->tw_real_screen->selectedItems();
    int shown = -2;
    for (QTableWidgetItem *item : selected) {
        auto *screen = dynamic_cast<TableItemSplicingRealScreen *>(item);
        if (!screen)
            continue;
        if (shown == -2)
            shown = screen->rotation();
        else if (shown != screen->rotation())
            shown = -1; // the selected screens differ: no entry
    }
    if (shown == -2)
        return;
    // Showing a screen's rotation is not a choice: nothing is sent.
    const QSignalBlocker blocker(m_ui->cbb_rotate);
    m_ui->cbb_rotate->setCurrentIndex(shown);
}

void WidgetSplicingSetting::showRotationMenu(const QPoint &pos)
{
    QTableWidget *table = m_ui->tw_real_screen;
    if (!dynamic_cast<TableItemSplicingRealScreen *>(table->itemAt(pos)))
        return;
    // Parentless and guarded: the setting may be closed or rebuilt while the menu is open.
    QPointer<WidgetSplicingSetting> self(this);
    QPointer<QMenu> menu = new QMenu;
    menu->setStyleSheet(QString::fromLatin1(MenuStyle));
    auto *group = new QActionGroup(menu);
    for (int r = 0; r < 4; ++r) {
        QAction *action = menu->addAction(TableItemSplicingRealScreen::rotationText(r));
        action->setCheckable(true);
        action->setChecked(r == m_rotateIndex);
        action->setData(r);
        group->addAction(action);
    }
    QAction *chosen = menu->exec(table->viewport()->mapToGlobal(pos));
    const int index = chosen ? chosen->data().toInt() : -1;
    delete menu;
    if (!self || index < 0)
        return;
    m_rotateIndex = index;
    {
        const QSignalBlocker blocker(m_ui->cbb_rotate);
        m_ui->cbb_rotate->setCurrentIndex(index);
    }
    rotationChosen(index);
}

void WidgetSplicingSetting::on_toolButton_ColorPalette_clicked()
{
    QPointer<WidgetSplicingSetting> self(this);
    QPointer<QColorDialog> chooser = new QColorDialog(m_noInputColor, this);
    chooser->setWindowTitle(tr("Select Color"));
    const int result = chooser->exec();
    if (!self || !chooser)
        return;
    const QColor chosen = chooser->selectedColor();
    delete chooser;
    if (result != QDialog::Accepted || !chosen.isValid())
        return;
    const bool up = linkUp();
    MessageDistance::instance()->setNoSignal(1, 0, chosen.red(), chosen.green(), chosen.blue());
    if (!up)
        return;
    m_noInputColor = chosen;
    showNoInputColor();
}

void WidgetSplicingSetting::sl_noSignalReport(const QString &text)
{
    qDebug().noquote() << "------------------>>>>" + text;
    // The forwarded text holds everything received since the last pass: take each
    // {"Chn":..,"Mode":..,"Color":r,g,b} in turn; output 1's last one wins.
    const QString chnKey = QStringLiteral("\"Chn\":");
    const QString colorKey = QStringLiteral("\"Color\":");
    int at = text.indexOf(chnKey);
    while (at >= 0) {
        const int next = text.indexOf(chnKey, at + chnKey.size());
        int end = text.indexOf(QLatin1Char('}'), at);
        if (end < 0 || (next >= 0 && next < end))
            end = next >= 0 ? next : text.size();
        const QString part = text.mid(at, end - at);
        at = next;

        const int chnEnd = part.indexOf(QLatin1Char(','));
        bool ok = false;
        const int channel = part.mid(chnKey.size(), chnEnd < 0 ? -1 : chnEnd - chnKey.size())
                                .remove(QLatin1Char('"'))
                                .trimmed()
                                .toInt(&ok, 10);
        if (!ok || channel != 1)
            continue;
        const int colorAt = part.indexOf(colorKey);
        if (colorAt < 0)
            continue;
        const QStringList rgb =
            part.mid(colorAt + colorKey.size()).remove(QLatin1Char('"')).split(QLatin1Char(','));
        if (rgb.size() != 3)
            continue;
        int values[3];
        bool valid = true;
        for (int i = 0; i < 3; ++i) {
            values[i] = rgb.at(i).trimmed().toInt(&ok, 10);
            valid = valid && ok && values[i] >= 0 && values[i] <= 255;
        }
        // A colour that cannot be read leaves the swatch as it was.
        if (!valid)
            continue;
        m_noInputColor = QColor(values[0], values[1], values[2]);
    }
    showNoInputColor();
}

void WidgetSplicingSetting::showNoInputColor()
{
    m_ui->toolButton_ColorPalette->setStyleSheet(
        QStringLiteral("background-color: rgb(%1, %2, %3);border:none;")
            .arg(m_noInputColor.red())
            .arg(m_noInputColor.green())
            .arg(m_noInputColor.blue()));
}

void WidgetSplicingSetting::on_btn_close_clicked()
{
    close();
}

// The window is made once and kept, so it follows a change of language while it lives.
void WidgetSplicingSetting::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        for (int r = 0; r < m_ui->cbb_rotate->count(); ++r)
            m_ui->cbb_rotate->setItemText(r, TableItemSplicingRealScreen::rotationText(r));
        refreshFromState();
    }
    QWidget::changeEvent(event);
}

void WidgetSplicingSetting::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        refreshFromState();
}

void WidgetSplicingSetting::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous() && m_loop)
        m_loop->quit();
}

void WidgetSplicingSetting::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    m_shadow.paint(&painter, m_ui->widget_bg->geometry(), event->rect());
}

bool WidgetSplicingSetting::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->widget_bg &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        update();
    return QWidget::eventFilter(watched, event);
}

int WidgetSplicingSetting::edgesAt(const QPoint &pos) const
{
    int edges = 0;
    if (pos.x() < EdgeZone)
        edges |= LeftEdge;
    else if (pos.x() >= width() - (EdgeZone - 1))
        edges |= RightEdge;
    if (pos.y() < EdgeZone)
        edges |= TopEdge;
    else if (pos.y() >= height() - (EdgeZone - 1))
        edges |= BottomEdge;
    return edges;
}

void WidgetSplicingSetting::updateCursor(const QPoint &pos)
{
    const int edges = edgesAt(pos);
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (edges == (LeftEdge | TopEdge) || edges == (RightEdge | BottomEdge))
        shape = Qt::SizeFDiagCursor;
    else if (edges == (RightEdge | TopEdge) || edges == (LeftEdge | BottomEdge))
        shape = Qt::SizeBDiagCursor;
    else if (edges & (LeftEdge | RightEdge))
        shape = Qt::SizeHorCursor;
    else if (edges & (TopEdge | BottomEdge))
        shape = Qt::SizeVerCursor;
    setCursor(shape);
}

void WidgetSplicingSetting::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressGlobal = event->globalPos();
        m_geometryAtPress = geometry();
        m_edges = edgesAt(event->pos());
        m_dragging = m_edges == 0;
    }
    QWidget::mousePressEvent(event);
}

void WidgetSplicingSetting::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        updateCursor(event->pos());
    } else if (m_edges) {
        const QPoint delta = event->globalPos() - m_pressGlobal;
        const QSize least = minimumSizeHint().expandedTo(minimumSize());
        QRect r = m_geometryAtPress;
        // An edge stops where the window would become smaller than its content allows.
        if (m_edges & LeftEdge)
            r.setLeft(qMin(r.left() + delta.x(), r.right() - least.width() + 1));
        if (m_edges & RightEdge)
            r.setRight(qMax(r.right() + delta.x(), r.left() + least.width() - 1));
        if (m_edges & TopEdge)
            r.setTop(qMin(r.top() + delta.y(), r.bottom() - least.height() + 1));
        if (m_edges & BottomEdge)
            r.setBottom(qMax(r.bottom() + delta.y(), r.top() + least.height() - 1));
        setGeometry(r);
    } else if (m_dragging) {
        move(m_geometryAtPress.topLeft() + (event->globalPos() - m_pressGlobal));
    }
    QWidget::mouseMoveEvent(event);
}

void WidgetSplicingSetting::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
        m_edges = 0;
    }
    QWidget::mouseReleaseEvent(event);
}
