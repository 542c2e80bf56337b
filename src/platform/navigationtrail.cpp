#include "platform/navigationtrail.h"

#include "commands/texthelpers.h"

namespace sorvek {

QString NavigationTrail::keyOf(const QUrl &url)
{
    // Decoded, so that the engine's choice of which characters to escape never makes the
    // program's own load look like one nobody asked for.
    // (A whole address decodes at most this far: QUrl warns about FullyDecoded and uses this.)
    return url.adjusted(QUrl::RemoveFragment | QUrl::NormalizePathSegments).toString(QUrl::PrettyDecoded);
}

qsizetype NavigationTrail::indexOf(const QList<Step> &steps, const QString &key)
{
    for (qsizetype i = steps.size() - 1; i >= 0; --i) {
        if (steps.at(i).key == key)
            return i;
    }
    return -1;
}

void NavigationTrail::programRequested(const QUrl &url, const NavigationStart &start)
{
    requested_.append({keyOf(url), start});
}

NavigationStart NavigationTrail::startOf(const QUrl &url, Kind kind, bool mainFrame)
{
    NavigationStart start = NavigationStart::web();
    const QString key = keyOf(url);
    switch (kind) {
    case Kind::Program: {
        const qsizetype at = indexOf(requested_, key);
        if (at >= 0) {
            start = requested_.at(at).start;
            requested_.remove(0, at + 1);
        }
        // else a load the program did not ask for in this form: it gets no trust.
        break;
    }
    case Kind::Redirect:
        // The engine calls a document's own refresh a redirect too. A server's redirect only
        // comes while a web navigation is in flight, which makes the document's trust web.
        if (!documentOrigin().isWeb())
            return startOf(url, Kind::Document, mainFrame);
        start.redirect = true;
        break;
    case Kind::History:
        // An entry comes back as what it was: a page file stays a page file.
        start = history_.value(key, start);
        break;
    case Kind::Reload:
        start = history_.value(key, NavigationStart{documentOrigin()});
        break;
    case Kind::Other:
        // A drop or another load the engine starts by itself in the main frame: nobody here
        // asked for it, unless the program did.
        if (mainFrame) {
            const qsizetype at = indexOf(requested_, key);
            start.origin = at >= 0 ? requested_.at(at).start.origin : CommandOrigin::WebPage;
            if (at >= 0)
                requested_.remove(0, at + 1);
        } else {
            start.origin = documentOrigin();
        }
        break;
    case Kind::Document:
        start.origin = documentOrigin();
        break;
    }
    // An address only the desktop could open is judged by who may have asked for it, any
    // document of the page, not by the address (which is never local).
    if (isDesktopAddress(url.toString())) {
        if (kind != Kind::Program)
            start.origin = leastTrusted(start.origin, pageOrigin());
    } else if (!url.isLocalFile()) {
        start.origin = CommandOrigin::WebPage;
    }
    start.mainFrame = mainFrame;
    if (!mainFrame)
        start.pageFile = false;
    return start;
}

void NavigationTrail::accepted(const QUrl &url, const NavigationStart &start)
{
    if (!start.mainFrame) {
        // Kept until the document is gone: a frame may belong to the shown or the coming one.
        shownFrames_ = leastTrusted(shownFrames_, start.origin);
        comingFrames_ = leastTrusted(comingFrames_, start.origin);
        return;
    }
    inFlight_.append({keyOf(url), start});
    comingFrames_ = CommandOrigin::localBookPage(); // a new document has no frames yet
}

void NavigationTrail::loaded(const QUrl &url)
{
    const QString key = keyOf(url);
    const qsizetype at = indexOf(inFlight_, key);
    if (at >= 0) {
        loaded_ = inFlight_.at(at).start;
        inFlight_.remove(0, at + 1);
    } else if (key != loadedKey_) {
        loaded_ = NavigationStart::web(); // a document nobody asked for here
    }
    loadedKey_ = key;
    NavigationStart entry = history_.value(key, loaded_);
    entry.origin = leastTrusted(entry.origin, loaded_.origin);
    entry.pageFile = entry.pageFile || loaded_.pageFile;
    entry.mainFrame = true;
    entry.redirect = false;
    history_.insert(key, entry);
    shownFrames_ = comingFrames_;
}

void NavigationTrail::ended(const QUrl &url)
{
    const qsizetype at = indexOf(inFlight_, keyOf(url));
    if (at >= 0)
        inFlight_.remove(0, at + 1);
}

CommandOrigin NavigationTrail::documentOrigin() const
{
    CommandOrigin origin = loaded_.origin;
    for (const Step &step : inFlight_)
        origin = leastTrusted(origin, step.start.origin);
    return origin;
}

CommandOrigin NavigationTrail::pageOrigin() const
{
    return leastTrusted(documentOrigin(), shownFrames_);
}

} // namespace sorvek
