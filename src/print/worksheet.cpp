#include "print/worksheet.h"

#include "authoring/concat.h"
#include "book/pagelocation.h"
#include "commands/textfile.h"
#include "print/printfolder.h"
#include "print/printpictures.h"

namespace sorvek {

namespace {

struct BodySplit {
    QString head;  // through the BODY start tag
    QString body;
    QString rest;  // from "</BODY" on
};

BodySplit splitAtBody(QStringView text)
{
    const qsizetype open = text.indexOf(u"<BODY", 0, Qt::CaseInsensitive);
    if (open < 0)
        return {};
    const qsizetype tagEnd = text.indexOf(u'>', open);
    if (tagEnd < 0)
        return {text.toString(), {}, {}};
    const qsizetype bodyStart = tagEnd + 1;
    qsizetype close = text.indexOf(u"</BODY", bodyStart, Qt::CaseInsensitive);
    if (close < 0)
        close = text.size();
    return {text.first(bodyStart).toString(), text.sliced(bodyStart, close - bodyStart).toString(),
            text.sliced(close).toString()};
}

// Takes the title text out of the head (the TITLE element stays, empty) and returns it.
QString takeTitle(QString &head)
{
    const qsizetype open = head.indexOf(u"<TITLE", 0, Qt::CaseInsensitive);
    if (open < 0)
        return QString();
    const qsizetype tagEnd = head.indexOf(u'>', open);
    if (tagEnd < 0)
        return QString();
    const qsizetype start = tagEnd + 1;
    const qsizetype close = head.indexOf(u"</TITLE", start, Qt::CaseInsensitive);
    if (close < 0)
        return QString();
    const QString title = head.sliced(start, close - start);
    head.remove(start, close - start);
    return title;
}

} // namespace

QString worksheetHeader(const QString &title)
{
    return QStringLiteral("<CENTER><TABLE border=\"1\" width=\"640\"><TBODY><TR><TD height=\"71\" align=\"center\">"
                          "<FONT size=\"3\">")
        + title
        + QStringLiteral("</FONT></TD><TD height=\"71\" width=\"170\" align=\"right\"><FONT size=\"3\">"
                         "年\u3000\u3000\u3000組\u3000\u3000\u3000番</FONT></TD>"
                         "<TD height=\"71\" width=\"300\"><FONT size=\"3\">氏名</FONT></TD>"
                         "</TR></TBODY></TABLE></CENTER>");
}

QString worksheetTitle(const QString &storedTitle)
{
    QString title = storedTitle;
    title.replace(QLatin1Char('#'), QStringLiteral("<BR>"));
    const qsizetype hint = title.indexOf(QLatin1Char('?'));
    return hint < 0 ? title : title.first(hint);
}

QString buildWorksheet(QStringView convertedText)
{
    BodySplit split = splitAtBody(convertedText);
    split.body.replace(QStringLiteral("[]"), QStringLiteral("[1]"));
    const QString title = worksheetTitle(takeTitle(split.head));
    return concat({split.head, worksheetHeader(title), split.body, split.rest});
}

QString WorksheetOutcome::message() const
{
    switch (status) {
    case Status::ReadError:
        return QStringLiteral("ページを読めません: ") + error + QStringLiteral("。");
    case Status::WriteError:
        return QStringLiteral("印刷用のファイルを保存できません: ") + error + QStringLiteral("。");
    default:
        return QString();
    }
}

WorksheetOutcome writeWorksheet(const WorksheetRequest &request)
{
    const std::optional<QString> path = pageFilePath(request.pageRef, request.topFolder);
    if (!path || request.pageRef.isEmpty())
        return {};
    const ReadResult read = readPageText(*path);
    if (!read)
        return {WorksheetOutcome::Status::ReadError, {}, read.error};
    const QString converted = convertAnswerFields(read.text, request.mode, request.marks);
    const PrintFolder folder(request.documentsFolder);
    WriteResult written = folder.create();
    if (written)
        written = writePageText(folder.worksheetPath(), buildWorksheet(converted));
    if (!written)
        return {WorksheetOutcome::Status::WriteError, {}, written.error};
    QString topFolder = request.topFolder;
    if (topFolder.endsWith(QLatin1Char('/')))
        topFolder.chop(1);
    copyPrintPictures(pictureNames(converted), {topFolder, request.bookFolder}, folder.path());
    return {WorksheetOutcome::Status::Written, folder.worksheetPath(), {}};
}

} // namespace sorvek
