#include "commands/linkdispatcher.h"

#include "book/pagetitles.h"

#include "commands/commanditems.h"
#include "commands/textfile.h"
#include "commands/texthelpers.h"

#include <QFileInfo>

namespace sorvek {

namespace {

// "After the first character": the plain search starts at the second one.
bool holdsAfterFirst(const QString &text, const QString &part)
{
    return text.indexOf(part, 1) >= 0;
}

bool holdsAnyAfterFirst(const QString &text, std::initializer_list<const char16_t *> parts)
{
    for (const char16_t *part : parts) {
        if (holdsAfterFirst(text, QString::fromUtf16(part)))
            return true;
    }
    return false;
}

// The button-refresh reading of a title, but a page without a title element or DOCTYPE line
// has no title here, and an empty one gives the file name without its extension.
QString titleOfPageText(const QString &text, const QString &path)
{
    if (!text.contains(QStringLiteral("<TITLE"), Qt::CaseInsensitive) || !text.contains(QStringLiteral("<!DOCTYPE HTML PUBLIC")))
        return {};
    return buttonTitleFromText(text).value_or(QFileInfo(path).completeBaseName());
}

// A link level lists full paths or addresses, sometimes still percent-encoded.
int levelPageHolding(const QString &target, const NavigationContext &context)
{
    if (context.currentIndex < 0 || target.isEmpty())
        return -1;
    for (int i = 0; i < context.pages.size(); ++i) {
        if (i == context.currentIndex)
            continue;
        const QString &entry = context.pages.at(i);
        // No entry shorter than the target holds it, decoded or not: a folder level's page names
        // are, so a navigation stays quick in a level of many pages. Decoding only what holds an
        // escape keeps a link level quick too.
        if (entry.size() < target.size())
            continue;
        if (entry.contains(target)
            || (entry.contains(u'%') && QUrl::fromPercentEncoding(entry.toUtf8()).contains(target)))
            return i;
    }
    return -1;
}

// One percent-decode of an encoded address; "%2F" and "%5C" stay as they are written.
QString decodeWebAddress(const QByteArray &encoded)
{
    QByteArray bytes;
    bytes.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char c = encoded.at(i);
        if (c != '%' || i + 2 >= encoded.size()) {
            bytes.append(c);
            continue;
        }
        const QByteArray hex = encoded.mid(i + 1, 2).toUpper();
        bool ok = false;
        const int value = hex.toInt(&ok, 16);
        if (!ok || hex == "2F" || hex == "5C") {
            bytes.append(c);
            continue;
        }
        bytes.append(char(value));
        i += 2;
    }
    return QString::fromUtf8(bytes);
}

QString lastNameOf(const QString &target)
{
    const qsizetype cut = qMax(qMax(target.lastIndexOf(u'/'), target.lastIndexOf(u'\\')),
                               target.lastIndexOf(u':'));
    return target.mid(cut + 1);
}

} // namespace

CommandOrigin lowerForDocument(CommandOrigin origin, const QUrl &documentUrl)
{
    return documentUrl.isEmpty() || documentUrl.isLocalFile() ? origin : CommandOrigin::WebPage;
}

CommandOrigin leastTrusted(CommandOrigin a, CommandOrigin b)
{
    return a.isWeb() ? a : b;
}

QString webRefusalNotice(const QString &refused)
{
    return QStringLiteral("Webページからは実行できません: ") + refused;
}

QString navigationText(const QUrl &url)
{
    if (url.isLocalFile()) {
        QString text = url.toLocalFile();
        if (url.hasQuery())
            text += u'?' + url.query(QUrl::FullyDecoded);
        if (url.hasFragment())
            text += u'#' + url.fragment(QUrl::FullyDecoded);
        return text;
    }
    return decodeWebAddress(url.toEncoded());
}

QString layoutTitle(const QString &target, const QStringList &titles, int currentIndex)
{
    const QFileInfo file(target);
    if (!target.isEmpty() && file.isFile()) {
        // Only pages are read: a link to a video must not load the video into memory.
        if (!file.suffix().startsWith(QStringLiteral("htm"), Qt::CaseInsensitive))
            return {};
        const ReadResult read = readPageText(target);
        return read ? titleOfPageText(read.text, target) : QString();
    }
    if (currentIndex > 0 && currentIndex < titles.size())
        return unescapeAngles(titles.at(currentIndex));
    return {};
}

bool isTitlePageTitle(const QString &title)
{
    return title.contains(QStringLiteral("TITLE")) || title.contains(QStringLiteral("題目"));
}

NavigationDecision decideNavigation(const QString &target, const NavigationContext &context,
                                    const NavigationStart &start)
{
    using A = NavigationAction;
    const bool command = holdsAfterFirst(target, QStringLiteral("$"));
    if (isDesktopAddress(target)) {
        if (start.origin == CommandOrigin::WebPage)
            return {A::Refuse, -1, target};
        if (target.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive))
            return {A::OpenMail, -1, target};
    }
    if (start.redirect)
        return command || !isWebAddress(target) ? NavigationDecision{A::Refuse, -1, target} : NavigationDecision{};
    if (!start.mainFrame)
        return command ? NavigationDecision{A::RunCommands, -1, commandListOfTarget(target)} : NavigationDecision{};
    const int page = levelPageHolding(target, context);
    if (page >= 0)
        return {A::SelectPage, page, {}};
    const bool holdsDollar = target.contains(u'$');
    if (!holdsDollar && lastNameOf(target) == QStringLiteral("mwex.exe"))
        return {A::LaunchMwex, -1, target};
    if (holdsAnyAfterFirst(target, {u".mwx", u".mwa"}) && context.mwexAvailable
        && QFileInfo(target).isFile())
        return {A::OpenProject, -1, target};
    if (!holdsDollar && holdsAfterFirst(target, QStringLiteral(".wav")))
        return {A::PlayWave, -1, target};
    if (holdsAnyAfterFirst(target, {u".avi", u".mpg", u".wmv"}))
        return {isHttpAddress(target) ? A::OpenWebVideo : A::OpenVideo, -1, target};
    // A level's page file is shown, whatever its name holds: only links run commands.
    if (command && !start.pageFile)
        return {A::RunCommands, -1, commandListOfTarget(target)};
    return {};
}

} // namespace sorvek
