#include "pagefiles/pagereferences.h"

#include "commands/texthelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

namespace sorvek {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

// The next c from `from`. Once a character is known to be missing from some point on, later
// searches for it stop at once: an unclosed quote never makes the scan go over the rest again.
class Finder {
public:
    explicit Finder(QStringView text) : text_(text) { std::fill(std::begin(missingFrom_), std::end(missingFrom_), -1); }
    qsizetype next(QChar c, qsizetype from)
    {
        const bool cached = c.unicode() < 128;
        if (cached && missingFrom_[c.unicode()] >= 0 && from >= missingFrom_[c.unicode()])
            return -1;
        const qsizetype at = text_.indexOf(c, from);
        if (at < 0 && cached)
            missingFrom_[c.unicode()] = from;
        return at;
    }

private:
    QStringView text_;
    qsizetype missingFrom_[128];
};

void add(QList<PageReference> &out, PageReference::Kind kind, QStringView text, qsizetype start, qsizetype end)
{
    if (end > start)
        out.append({kind, start, end - start, text.sliced(start, end - start).toString()});
}

// name = value, the value quoted either way or bare (up to a blank or ">").
void scanAttribute(QStringView text, QStringView name, PageReference::Kind kind, Finder &find,
                   QList<PageReference> &out)
{
    for (qsizetype at = text.indexOf(name, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(name, at, Qt::CaseInsensitive)) {
        qsizetype i = at + name.size();
        at = i;
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i >= text.size() || text[i] != u'=')
            continue;
        ++i;
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i >= text.size())
            break;
        const QChar quote = text[i];
        qsizetype start = i;
        qsizetype end = i;
        if (quote == u'"' || quote == u'\'') {
            start = i + 1;
            end = find.next(quote, start);
            if (end < 0)
                continue;
        } else {
            while (end < text.size() && !isBlank(text[end]) && text[end] != u'>')
                ++end;
        }
        add(out, kind, text, start, end);
        at = std::max(at, end);
    }
}

// CSS url(value), the value quoted either way or bare (up to ")").
void scanStyleUrls(QStringView text, Finder &find, QList<PageReference> &out)
{
    for (qsizetype at = text.indexOf(u"url(", 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(u"url(", at, Qt::CaseInsensitive)) {
        qsizetype i = at + 4;
        at = i;
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i >= text.size())
            break;
        const QChar quote = text[i];
        const bool quoted = quote == u'"' || quote == u'\'';
        const qsizetype start = quoted ? i + 1 : i;
        qsizetype end = find.next(quoted ? quote : QChar(u')'), start);
        if (end < 0)
            continue;
        at = end;
        if (!quoted) {
            while (end > start && isBlank(text[end - 1]))
                --end;
        }
        add(out, PageReference::Kind::StyleUrl, text, start, end);
    }
}

void scanTitleGlyphs(QStringView text, Finder &find, QList<PageReference> &out)
{
    static const QString key = QStringLiteral("<TITLE>\"");
    for (qsizetype at = text.indexOf(key, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(key, at, Qt::CaseInsensitive)) {
        const qsizetype start = at + key.size();
        const qsizetype end = find.next(u'"', start);
        at = start;
        if (end < 0)
            continue;
        add(out, PageReference::Kind::TitleGlyph, text, start, end);
        at = end + 1;
    }
}

qsizetype queryOrFragment(const QString &value)
{
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'#' || value[i] == u'?')
            return i;
    }
    return value.size();
}

bool spelledEncoded(const QString &segment)
{
    return segment.contains(u'%') && QUrl::fromPercentEncoding(segment.toUtf8()) != segment;
}

// A new name written into a reference: encoded when the old one was, or when it holds characters
// that would end or change the reference.
QString referenceSpelling(const QString &oldSegment, const QString &newName)
{
    static const QString breaking = QStringLiteral(" #?%'\"<>()\t");
    const bool encode = spelledEncoded(oldSegment)
                        || std::any_of(newName.begin(), newName.end(), [](QChar c) { return breaking.contains(c); });
    return encode ? QString::fromLatin1(QUrl::toPercentEncoding(newName)) : newName;
}

QString withReferencedName(const QString &value, const QString &newName, ReferenceRewrite rewrite)
{
    const qsizetype cut = queryOrFragment(value);
    const QString head = value.left(cut);
    const qsizetype slash = std::max(head.lastIndexOf(u'/'), head.lastIndexOf(u'\\'));
    const QString folder = rewrite == ReferenceRewrite::KeepFolder ? head.left(slash + 1) : QString();
    return folder + referenceSpelling(head.mid(slash + 1), newName) + value.mid(cut);
}

} // namespace

QList<PageReference> scanPageReferences(QStringView text)
{
    QList<PageReference> out;
    Finder find(text);
    scanAttribute(text, u"src", PageReference::Kind::Source, find, out);
    scanAttribute(text, u"background", PageReference::Kind::Background, find, out);
    scanAttribute(text, u"href", PageReference::Kind::Link, find, out);
    scanStyleUrls(text, find, out);
    scanTitleGlyphs(text, find, out);
    std::stable_sort(out.begin(), out.end(),
                     [](const PageReference &a, const PageReference &b) { return a.start < b.start; });
    return out;
}

QString referencedPath(const QString &value)
{
    const QString raw = toSlashes(value.trimmed().left(queryOrFragment(value.trimmed())));
    // A scheme, a drive letter or a "/" path is no reference relative to the page.
    if (raw.isEmpty() || raw.contains(u':') || raw.startsWith(u'/'))
        return QString();
    const QString path = QUrl::fromPercentEncoding(raw.toUtf8());
    return path.startsWith(u'/') ? QString() : path;
}

QString referencedFile(const QString &pageFolder, const QString &value)
{
    const QString path = referencedPath(value);
    return path.isEmpty() ? QString() : QDir::cleanPath(pageFolder + u'/' + path);
}

bool referenceNamesFile(const QString &referenced, const QString &file)
{
    if (referenced == file)
        return true;
    if (referenced.isEmpty() || referenced.compare(file, Qt::CaseInsensitive) != 0)
        return false;
    const QFileInfo spelled(referenced);
    const QString own = QFileInfo(file).fileName();
    const QStringList names =
        spelled.dir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    return std::none_of(names.begin(), names.end(), [&](const QString &name) {
        return name != own && name.compare(spelled.fileName(), Qt::CaseInsensitive) == 0;
    });
}

QString withReferencedName(const QString &value, const QString &newName)
{
    return withReferencedName(value, newName, ReferenceRewrite::KeepFolder);
}

QString renameReferences(const QString &text, const QString &pageFolder, const QHash<QString, QString> &renamed,
                         ReferenceRewrite rewrite)
{
    if (renamed.isEmpty())
        return text;
    QString out;
    qsizetype from = 0;
    for (const PageReference &ref : scanPageReferences(text)) {
        if (ref.start < from)
            continue;
        const QString file = referencedFile(pageFolder, ref.value);
        if (file.isEmpty())
            continue;
        QString newName = renamed.value(file);
        for (auto it = renamed.begin(); newName.isEmpty() && it != renamed.end(); ++it) {
            if (referenceNamesFile(file, it.key()))
                newName = it.value();
        }
        if (newName.isEmpty())
            continue;
        out += text.mid(from, ref.start - from) + withReferencedName(ref.value, newName, rewrite);
        from = ref.start + ref.length;
    }
    return from == 0 ? text : out + text.mid(from);
}

} // namespace sorvek
