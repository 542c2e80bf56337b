#include "book/linkpagescan.h"

#include "book/levelstack.h"
#include "authoring/forwardfinder.h"
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

// The searches of one scan, each cached: positions only move forward, so the page is read once
// even when a partner mark (a closing quote, a "<", the marker) never comes.
struct LinkScanText {
    explicit LinkScanText(const QString &t)
        : text(t), hrefs(t, hrefKey()), quotes(t, u"\""), lessThans(t, u"<"), greaterThans(t, u">"),
          markers(t, linkMarker())
    {
    }
    const QString &text;
    ForwardFinder hrefs;
    ForwardFinder quotes;
    ForwardFinder lessThans;
    ForwardFinder greaterThans;
    ForwardFinder markers;

    // One link's value starts after "href=" and the next double quote.
    qsizetype valueStart(qsizetype hrefAt)
    {
        const qsizetype afterKey = hrefAt + hrefKey().size();
        const qsizetype quote = quotes.indexFrom(afterKey);
        return quote >= 0 ? quote + 1 : afterKey;
    }
};

// A piece of text [from, end) where end came from a search; "" when the mark never comes.
QString piece(const QString &text, qsizetype from, qsizetype end)
{
    return end >= 0 ? text.mid(from, end - from) : QString();
}

struct LinkCount {
    int count = 0;
    QString lastValue; // V
    QString label;     // N
};

// Counts the links; after each one the scan jumps past a following marker, whose label is kept,
// so the links standing between a link and the marker are not counted. The value and the label
// matter only for a page of one link: they are cut out once, at the end.
LinkCount countLinks(const QString &text)
{
    LinkScanText scan(text);
    LinkCount result;
    qsizetype valueAt = -1;
    qsizetype labelAt = -1;
    for (qsizetype at = scan.hrefs.indexFrom(0); at >= 0; at = scan.hrefs.indexFrom(at)) {
        at = scan.valueStart(at);
        valueAt = at;
        ++result.count;
        const qsizetype marker = scan.markers.indexFrom(at);
        labelAt = -1;
        if (marker >= 0) {
            at = marker + linkMarker().size();
            labelAt = at;
        }
    }
    if (valueAt >= 0)
        result.lastValue = piece(text, valueAt, scan.quotes.indexFrom(valueAt));
    if (labelAt >= 0)
        result.label = piece(text, labelAt, scan.lessThans.indexFrom(labelAt));
    return result;
}

// A link target of a web page without a scheme of its own belongs to that page's address. The
// address is read once per page, and a target like the one before shares its result.
class LevelTargets {
public:
    explicit LevelTargets(const QString &locationUrl)
        : web_(isWebAddress(locationUrl)), base_(locationUrl)
    {
    }
    QString operator()(const QString &target)
    {
        if (!web_ || !QUrl(target).isRelative())
            return target;
        if (!resolved_ || target != lastTarget_) {
            lastTarget_ = target;
            lastResolved_ = base_.resolved(QUrl(target)).toString();
            resolved_ = true;
        }
        return lastResolved_;
    }

private:
    bool web_;
    QUrl base_;
    bool resolved_ = false;
    QString lastTarget_;
    QString lastResolved_;
};

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
    // A target or a title never reaches past the next link's "href=": on a damaged page whose
    // quotes or "<" never come, each would otherwise hold the rest of the page.
    LinkScanText scan(text);
    LevelTargets levelTarget(locationUrl);
    const auto bounded = [&text](qsizetype from, qsizetype end, qsizetype nextLink) {
        if (end >= 0 && nextLink >= 0 && end > nextLink)
            end = nextLink;
        return from <= end ? piece(text, from, end) : QString();
    };
    for (qsizetype at = scan.hrefs.indexFrom(0); at >= 0;) {
        at = scan.valueStart(at);
        const qsizetype next = scan.hrefs.indexFrom(at);
        const qsizetype quote = scan.quotes.indexFrom(at);
        const QString target = bounded(at, quote, next);
        const qsizetype valueEnd = target.isEmpty() ? at : at + target.size();
        const qsizetype tagEnd = scan.greaterThans.indexFrom(valueEnd);
        decision.pages.append(levelTarget(target));
        decision.titles.append(tagEnd >= 0 ? bounded(tagEnd + 1, scan.lessThans.indexFrom(tagEnd + 1), next)
                                           : QString());
        at = next;
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
    decision.origin = lowerForDocument(origin, QUrl(locationUrl));
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
