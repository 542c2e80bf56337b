#include "print/pagemerge.h"

#include "authoring/pageformat.h"
#include "print/printdocument.h"

namespace sorvek {

namespace {

const QString kMark = QStringLiteral("\"!\"");

// Drops the text from the first start through the end of the first end after it; nothing when
// either is missing.
void removeFirstSpan(QString &text, QStringView start, QStringView end, Qt::CaseSensitivity cs)
{
    const qsizetype from = text.indexOf(start, 0, cs);
    if (from < 0)
        return;
    const qsizetype to = text.indexOf(end, from + start.size(), cs);
    if (to < 0)
        return;
    text.remove(from, to + end.size() - from);
}

QString bodyPart(QStringView pageText)
{
    const qsizetype body = pageText.indexOf(u"<BODY>", 0, Qt::CaseInsensitive);
    if (body < 0)
        return pageText.toString();
    const qsizetype start = body + 6;
    const qsizetype end = pageText.indexOf(u"</BODY>", start, Qt::CaseInsensitive);
    return end < 0 ? QString() : pageText.sliced(start, end - start).toString();
}

} // namespace

QString mergeTitle(QStringView pageText)
{
    if (!pageText.contains(pageformat::kDoctypeMark))
        return QString();
    const qsizetype open = pageText.indexOf(u"<TITLE>", 0, Qt::CaseInsensitive);
    if (open < 0)
        return QString();
    const qsizetype start = open + 7;
    const qsizetype close = pageText.indexOf(u"</TITLE>", start, Qt::CaseInsensitive);
    return close < 0 ? QString() : pageText.sliced(start, close - start).toString();
}

bool selectedForMerge(const QString &title, MergeMode mode)
{
    switch (mode) {
    case MergeMode::Marked:
        return title.contains(kMark);
    case MergeMode::Unmarked:
        return !title.isEmpty() && !title.contains(kMark);
    case MergeMode::All:
        return !title.isEmpty();
    }
    return false;
}

QString mergePart(QStringView pageText, int &numbered)
{
    QString part = bodyPart(pageText);
    if (part.contains(QLatin1String("[]"))) {
        ++numbered;
        part.replace(QStringLiteral("[]"), QLatin1Char('[') + QString::number(numbered) + QLatin1Char(']'));
    }
    removeFirstSpan(part, u"<STYLE", u"</STYLE>", Qt::CaseInsensitive);
    // Two passes only: a third generated block stays, as it always has.
    for (int pass = 0; pass < 2; ++pass)
        removeFirstSpan(part, pageformat::kGeneratedBeginStart, pageformat::kGeneratedEnd, Qt::CaseSensitive);
    return part;
}

QString mergedDocumentTitle(const QString &title)
{
    return title.mid(title.lastIndexOf(QLatin1Char('"')) + 1);
}

void MergeBuilder::addPage(QStringView pageText)
{
    const QString title = mergeTitle(pageText);
    if (!selectedForMerge(title, mode_))
        return;
    if (merged_ == 0)
        firstTitle_ = title;
    const QString part = mergePart(pageText, numbered_);
    if (!part.isEmpty())
        ++merged_;
    body_ += part;
}

QString MergeBuilder::document(const QString &charset) const
{
    return printDocumentHead(documentTitle(), charset) + body_ + printDocumentTail();
}

} // namespace sorvek
