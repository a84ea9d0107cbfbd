#include "captionstore.h"

#include "projectdatabase.h"

namespace {
const char *const createCaptionOrOsdInfo =
    "create table if not exists CaptionOrOSDInfo(                                "
    "Port integer primary key,                                "
    "Content text,                                "
    "Font text,                                "
    "FontSize integer,                                "
    "IsBold boolean,                                "
    "IsItalic boolean,                                "
    "IsUnderline boolean                                "
    ")";
} // namespace

CaptionStore::CaptionStore()
{
    createCaptionTable();
}

bool CaptionStore::createCaptionTable()
{
    return ProjectDatabase::executeStatement(QString::fromLatin1(createCaptionOrOsdInfo));
}

bool CaptionStore::saveCaption(int port, const QString &content, const QString &font, int fontSize,
                               bool bold, bool italic, bool underline)
{
    // The flags are stored as 1/0, the values SQLite gives the words TRUE and FALSE.
    return ProjectDatabase::executeStatement(
        QStringLiteral("insert or replace into "
                       "CaptionOrOSDInfo(Port,Content,Font,FontSize,IsBold,IsItalic,IsUnderline) "
                       "values(?,?,?,?,?,?,?)"),
        {port, content, font, fontSize, bold ? 1 : 0, italic ? 1 : 0, underline ? 1 : 0});
}

QMap<int, CaptionRecord> CaptionStore::loadCaptions() const
{
    QMap<int, CaptionRecord> captions;
    const auto rows =
        ProjectDatabase::queryRows(QStringLiteral("select *from CaptionOrOSDInfo"), {}, 7);
    for (const QVariantList &row : rows) {
        CaptionRecord record;
        record.content = row.at(1).toString();
        record.font = row.at(2).toString();
        record.fontSize = row.at(3).toInt();
        record.isBold = row.at(4).toBool();
        record.isItalic = row.at(5).toBool();
        record.isUnderline = row.at(6).toBool();
        captions.insert(row.at(0).toInt(), record);
    }
    return captions;
}
