#include "startup.h"

#include "app/appsettings.h"
#include "storage/fileaccess.h"
#include "storage/projectdatabase.h"
#include "uikit/msgdlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFont>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTextEdit>
#include <QTranslator>

namespace {

// The forms' grey for what is there to guide rather than to be read.
const QColor MutedText(0x9a, 0xa5, 0xad);

// A style sheet that sets a field's `color` gives its placeholder that colour too, so a hint
// reads like typed text. Once a sheet has set a field's palette, the placeholder gets the muted
// colour back.
class PlaceholderColour : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::PaletteChange) {
            auto *field = static_cast<QWidget *>(watched);
            QPalette palette = field->palette();
            // Setting it changes the palette again; the second time there is nothing to do.
            if (palette.color(QPalette::PlaceholderText) != MutedText) {
                palette.setColor(QPalette::PlaceholderText, MutedText);
                field->setPalette(palette);
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// The platform style with three desktop habits. A click on a slider's groove puts the handle
// there instead of stepping by one; the slider is then pressed and released as by a drag, and
// the dialogs send the value on that release. A combo's list drops down under it (over it when
// there is no room below), a few entries high, instead of covering the combo and, for the long
// font and size lists, the whole height of the screen. Placeholders stay muted.
class CorvaneStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void polish(QWidget *widget) override
    {
        QProxyStyle::polish(widget);
        auto *combo = qobject_cast<QComboBox *>(widget);
        // Qt's own delegate for such lists ignores the style sheets' rules for list entries.
        if (combo && combo->itemDelegate() && combo->itemDelegate()->inherits("QComboBoxDelegate"))
            combo->setItemDelegate(new QStyledItemDelegate(combo));
        if (combo || qobject_cast<QLineEdit *>(widget) || qobject_cast<QTextEdit *>(widget) ||
            qobject_cast<QPlainTextEdit *>(widget))
            widget->installEventFilter(&m_placeholder);
    }

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_Slider_AbsoluteSetButtons)
            return Qt::LeftButton;
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    PlaceholderColour m_placeholder;
};

} // namespace

void prepareApplication()
{
    qputenv("QT_SCALE_FACTOR", QByteArray::number(1));
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
}

void configureApplication()
{
    QFont font = QApplication::font();
    font.setFamily(QStringLiteral("Microsoft YaHei"));
    QApplication::setFont(font);

    if (!dynamic_cast<CorvaneStyle *>(QApplication::style()))
        QApplication::setStyle(new CorvaneStyle(QApplication::style()));
    // After the style, which brings its own palette.
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::PlaceholderText, MutedText);
    QApplication::setPalette(palette);
}

StartupCheck::Report StartupCheck::examine()
{
    Report report;
    QStringList parts;

    // Both hold passwords as typed; new copies are made owner-only, older ones are closed here.
    for (const QString &path : {ProjectDatabase::databasePath(), FileAccess::passwordFilePath()}) {
        QString error;
        if (!FileAccess::restrictToOwner(path, &error))
            parts.append(tr("%1 can be read by other users and could not be restricted to its "
                            "owner: %2")
                             .arg(QDir::toNativeSeparators(path), error));
    }

    const ProjectDatabase::Health health = ProjectDatabase::checkHealth();
    const QString where =
        QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(health.path), health.error);
    if (health.state == ProjectDatabase::Health::Unusable) {
        report.canContinue = false;
        parts.prepend(tr("The project database cannot be used, so nobody can log in:\n%1\nNothing "
                         "was changed in it. Restore it from a backup or move it away, then "
                         "start again.")
                          .arg(where));
    } else if (health.state == ProjectDatabase::Health::ReadOnly) {
        parts.prepend(tr("The project database is read-only:\n%1\nYou can log in and work, but "
                         "changes that would be stored in it are refused.")
                          .arg(where));
    }
    report.message = parts.join(QStringLiteral("\n\n"));
    return report;
}

bool StartupCheck::run(QWidget *parent)
{
    // The main window loads the language later; the same choice is made here for the message.
    int language = AppSettings::instance()->language();
    if (language == -1)
        language = QLocale::system().language() == QLocale::Chinese ? 0 : 1;
    QTranslator translator;
    if (translator.load(language == 0 ? QStringLiteral(":/Chinese") : QStringLiteral(":/English")))
        QCoreApplication::installTranslator(&translator);

    const Report report = examine();
    if (!report.message.isEmpty()) {
        MsgDlg dialog(tr("Project database"), report.message, parent);
        dialog.exec();
    }
    QCoreApplication::removeTranslator(&translator);
    return report.canContinue;
}
