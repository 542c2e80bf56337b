#include "commands/commandtext.h"

#include "commands/texthelpers.h"

#include <QRegularExpression>

namespace sorvek {

QStringList tokenizeCommand(const QString &text)
{
    QStringList tokens;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        if (text.at(i) == u' ') {
            ++i;
            continue;
        }
        if (text.at(i) == u'"') {
            const qsizetype close = text.indexOf(u'"', i + 1);
            if (close < 0) { // unpaired: drop the quote, split the rest as usual
                ++i;
                continue;
            }
            tokens.append(text.mid(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        qsizetype end = i;
        while (end < n && text.at(end) != u' ')
            ++end;
        tokens.append(text.mid(i, end - i));
        i = end;
    }
    return tokens;
}

PreparedCommand prepareCommand(const QString &text, const QString &desktopFolder)
{
    QString prepared = text;
    prepared.replace(QStringLiteral("DESKTOP"), desktopFolder);

    PreparedCommand command;
    const qsizetype blank = prepared.indexOf(u' ');
    if (blank >= 0) {
        command.argumentText = prepared.mid(blank + 1);
        // "$" stands for a separator where a path is written into a link ("$$srv$share").
        if (command.argumentText.startsWith(u'$'))
            command.argumentText.replace(u'$', u'/');
    }
    command.tokens = tokenizeCommand(prepared);
    command.word = command.tokens.value(0, prepared);
    command.first = command.tokens.value(1);
    command.second = command.tokens.value(2);
    return command;
}

QString extensionOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return {};
    const QString extension = name.mid(dot);
    if (extension.contains(u'/') || extension.contains(u'\\') || extension.contains(u':'))
        return {};
    return extension;
}

QString bookOrFolderPath(const QString &text, const CommandFolders &folders)
{
    const QString path = toSlashes(text);
    if (path.startsWith(u'.'))
        return folders.bookFolder + u'/' + path.mid(1);
    return folders.topFolder + path;
}

QString fullBookOrFolderPath(const QString &text, const CommandFolders &folders)
{
    const QString path = toSlashes(text);
    if (isAbsoluteOrUrl(path))
        return path;
    return bookOrFolderPath(path, folders);
}

QString levelFolderPath(const QString &text, const CommandFolders &folders)
{
    const QString path = toSlashes(text);
    if (isAbsoluteOrUrl(path))
        return path;
    if (path.startsWith(u'.'))
        return folderPart(folders.bookFolder) + path.mid(1);
    return folders.topFolder + path;
}

QString pageStem(const QString &entry)
{
    QString name = entry.mid(entry.lastIndexOf(u'/') + 1);
    name = name.mid(qMax(name.lastIndexOf(u'\\'), name.lastIndexOf(u':')) + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 ? name.left(dot) : name;
}

int findPageByName(const QStringList &pages, const QString &name)
{
    const QString wanted = u'_' + name + u'/';
    for (int i = 0; i < pages.size(); ++i) {
        if ((u'_' + pageStem(pages.at(i)) + u'/').contains(wanted))
            return i;
    }
    return -1;
}

std::optional<QString> downloadAddress(const QString &text)
{
    QString address = text;
    address.replace(u'\\', u'/');
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):"));
    const QRegularExpressionMatch match = scheme.match(address);
    const QString name = match.hasMatch() ? match.captured(1).toLower() : QString();
    if (name == u"http" || name == u"https")
        return address;
    // "host:8080/a" has no scheme; "file:", "ftp://" and the like are no web addresses.
    if (address.contains(QStringLiteral("://")) || name == u"file")
        return std::nullopt;
    return QStringLiteral("http://") + address;
}

QByteArray blankPictureBytes()
{
    // Windows bitmap header: "BM", file size, reserved, pixel offset 54; then the 40-byte
    // information header: 640 x 480, 1 plane, 24 bits, no compression, image size 921,600.
    QByteArray bytes = QByteArray::fromHex("424D" "36100E00" "00000000" "36000000" // file header
                                           "28000000" "80020000" "E0010000" "0100" "1800"
                                           "00000000" "00100E00" "00000000" "00000000"
                                           "00000000" "00000000");
    bytes.append(640 * 480 * 3, char(0xFF)); // rows of 1,920 bytes need no padding
    return bytes;
}

} // namespace sorvek
