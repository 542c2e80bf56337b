#include "book/linkpagescan.h"

#include "book/levelstack.h"
#include "book/webcommandlist.h"
#include "commands/texthelpers.h"

#include <QUrl>

namespace sorvek {

namespace {

const QString &linkMarker()
{
    static const QString marker = QStringLiteral("【リンク】");
    return marker;
}

const QString &hrefKey()
{
    static const QString key = QStringLiteral("href=");
    return key;
}

// The text from `from` up to the next `end`; "" when `end` never comes.
QString textUpTo(const QString &text, qsizetype from, QChar end)
{
    const qsizetype at = text.indexOf(end, from);
    return at >= 0 ? text.mid(from, at - from) : QString();
}

// One link of the scan: where its value starts (after "href=" and the next double quote).
qsizetype valueStart(const QString &text, qsizetype hrefAt)
{
    const qsizetype afterKey = hrefAt + hrefKey().size();
    const qsizetype quote = text.indexOf(u'"', afterKey);
    return quote >= 0 ? quote + 1 : afterKey;
}

struct LinkCount {
    int count = 0;
    QString lastValue; // V
    QString label;     // N
};

// Counts the links; after each one the scan jumps past a following marker, whose label is kept,
// so the links standing between a link and the marker are not counted. Positions only move
// forward, so a large page is read once.
LinkCount countLinks(const QString &text)
{
    LinkCount result;
    bool markerAhead = true;
    for (qsizetype at = text.indexOf(hrefKey()); at >= 0; at = text.indexOf(hrefKey(), at)) {
        at = valueStart(text, at);
        result.lastValue = textUpTo(text, at, u'"');
        ++result.count;
        const qsizetype marker = markerAhead ? text.indexOf(linkMarker(), at) : -1;
        markerAhead = marker >= 0;
        if (markerAhead) {
            at = marker + linkMarker().size();
            result.label = textUpTo(text, at, u'<');
        } else {
            result.label.clear();
        }
    }
    return result;
}

// A link target of a web page without a scheme of its own belongs to that page's address.
QString levelTarget(const QString &target, const QString &locationUrl)
{
    if (!isWebAddress(locationUrl) || !QUrl(target).isRelative())
        return target;
    return QUrl(locationUrl).resolved(QUrl(target)).toString();
}

// The one link made absolute against the page: "\" from a local book becomes "/".
QString followUrlOf(const QString &value, const QString &locationUrl)
{
    if (isWebAddress(value))
        return value;
    const QString link = isWebAddress(locationUrl) ? value : toSlashes(value);
    if (locationUrl.isEmpty())
        return link;
    return QUrl(locationUrl).resolved(QUrl(link)).toString();
}

void decideOneLink(LinkPageDecision &decision, const LinkCount &links, const QString &locationUrl)
{
    const QString &v = links.lastValue;
    decision.target = v;
    if (v.indexOf(QLatin1String("/$")) > 0 || v.indexOf(QLatin1String("\\$")) > 0) {
        const QString list = v + u',';
        decision.commandList = list.mid(list.indexOf(u'$') + 1);
        const bool refused = decision.origin == CommandOrigin::WebPage
                             && !commandListAllowedFromWebPage(decision.commandList);
        decision.action = refused ? LinkPageDecision::Action::RefusedFromWebPage
                                  : LinkPageDecision::Action::RunCommands;
        return;
    }
    decision.action = LinkPageDecision::Action::Follow;
    decision.caption = links.label;
    decision.followUrl = followUrlOf(v, locationUrl);
}

void collectLevel(LinkPageDecision &decision, const QString &text, const QString &locationUrl)
{
    for (qsizetype at = text.indexOf(hrefKey()); at >= 0; at = text.indexOf(hrefKey(), at)) {
        at = valueStart(text, at);
        const QString target = textUpTo(text, at, u'"');
        const qsizetype valueEnd = target.isEmpty() ? at : at + target.size();
        const qsizetype tagEnd = text.indexOf(u'>', valueEnd);
        decision.pages.append(levelTarget(target, locationUrl));
        decision.titles.append(tagEnd >= 0 ? textUpTo(text, tagEnd + 1, u'<') : QString());
    }
}

} // namespace

bool needsPageWork(const QString &url, const QString &lastLoadedUrl)
{
    if (url == lastLoadedUrl)
        return false;
    const qsizetype dot = url.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    const QString tail = url.mid(dot);
    if (tail.contains(u'\\') || tail.contains(u':'))
        return false;
    return tail.toUpper().contains(QLatin1String(".HTM"));
}

bool linkScanRuns(bool highlightCurrent, const QString &loadedUrl)
{
    return highlightCurrent && !loadedUrl.contains(u'$');
}

bool opensNotesPanel(const QString &source)
{
    const QString lower = source.toLower();
    const QString key = QStringLiteral("href=\"");
    for (qsizetype at = lower.indexOf(key); at >= 0; at = lower.indexOf(key, at)) {
        at += key.size();
        const qsizetype end = lower.indexOf(u'"', at);
        if (end < 0)
            return false;
        const QStringView target = QStringView(lower).mid(at, end - at);
        if (target.contains(u'$') && target.contains(u'【'))
            return true;
        at = end + 1;
    }
    return false;
}

LinkPageDecision decideLinkPage(const QString &source, const QString &locationUrl,
                                const QString &currentFolder, CommandOrigin origin)
{
    LinkPageDecision decision;
    if (!source.contains(linkMarker()) || source.contains(QLatin1String("NOTLINK")))
        return decision;
    QString text = source;
    text.replace(QLatin1String("HREF="), hrefKey());
    decision.origin = leastTrusted(origin, originOfDocument(QUrl(locationUrl)));
    const LinkCount links = countLinks(text);
    decision.linkCount = links.count;
    if (links.count == 1) {
        decideOneLink(decision, links, locationUrl);
    } else if (links.count > 1) {
        decision.action = LinkPageDecision::Action::NewLevel;
        decision.folder = currentFolder;
        collectLevel(decision, text, locationUrl);
    }
    return decision;
}

LinkScanResult scanLoadedPage(const QString &source, const QString &locationUrl,
                              const QString &currentFolder, CommandOrigin origin)
{
    LinkScanResult result;
    result.openNotesPanel = opensNotesPanel(source);
    QString text = source;
    const qsizetype amp = text.indexOf(QLatin1String("&amp;"));
    if (amp >= 0)
        text.replace(amp, 5, u'&');
    result.linkPage = decideLinkPage(text, locationUrl, currentFolder, origin);
    return result;
}

void openLinkLevel(LevelStack &levels, const LinkPageDecision &decision)
{
    levels.closeToRoot();
    levels.pushLevel(decision.pages, decision.titles, 0, decision.folder, decision.origin);
}

} // namespace sorvek
