#include "platform/navigationtrail.h"

#include "commands/texthelpers.h"

namespace sorvek {

namespace {

CommandOrigin originOfAddress(const QUrl &url)
{
    return url.isLocalFile() ? CommandOrigin::LocalPage : CommandOrigin::WebPage;
}

} // namespace

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
    NavigationStart start;
    const QString key = keyOf(url);
    switch (kind) {
    case Kind::Program: {
        const qsizetype at = indexOf(requested_, key);
        if (at >= 0) {
            start = requested_.at(at).start;
            requested_.remove(0, at + 1);
        } else {
            // A load the program did not ask for in this form: it gets no trust.
            start.origin = CommandOrigin::WebPage;
        }
        break;
    }
    case Kind::Redirect:
        // The engine calls a document's own refresh a redirect too. A server's redirect only
        // comes while a web navigation is in flight, which makes the document's trust web.
        if (documentOrigin() == CommandOrigin::LocalPage)
            return startOf(url, Kind::Document, mainFrame);
        start.origin = CommandOrigin::WebPage;
        start.redirect = true;
        break;
    case Kind::History:
        start.origin = history_.value(key, CommandOrigin::WebPage);
        break;
    case Kind::Reload:
        start.origin = history_.value(key, documentOrigin());
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
    if (!isDesktopAddress(url.toString()))
        start.origin = leastTrusted(start.origin, originOfAddress(url));
    else if (kind != Kind::Program)
        start.origin = leastTrusted(start.origin, pageOrigin());
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
    comingFrames_ = CommandOrigin::LocalPage;
}

void NavigationTrail::loaded(const QUrl &url)
{
    const QString key = keyOf(url);
    const qsizetype at = indexOf(inFlight_, key);
    if (at >= 0) {
        loaded_ = inFlight_.at(at).start.origin;
        inFlight_.remove(0, at + 1);
    } else if (key != loadedKey_) {
        loaded_ = CommandOrigin::WebPage; // a document nobody asked for here
    }
    loadedKey_ = key;
    shownFrames_ = comingFrames_;
    history_.insert(key, leastTrusted(history_.value(key, loaded_), loaded_));
}

void NavigationTrail::ended(const QUrl &url)
{
    const qsizetype at = indexOf(inFlight_, keyOf(url));
    if (at >= 0)
        inFlight_.remove(0, at + 1);
}

CommandOrigin NavigationTrail::documentOrigin() const
{
    CommandOrigin origin = loaded_;
    for (const Step &step : inFlight_)
        origin = leastTrusted(origin, step.start.origin);
    return origin;
}

CommandOrigin NavigationTrail::pageOrigin() const
{
    return leastTrusted(documentOrigin(), shownFrames_);
}

} // namespace sorvek
