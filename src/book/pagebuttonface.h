#pragma once
// What a page button shows, read from its page's title: an optional glyph between two double
// quotes, the caption ("#" starts a second line), and after "?" the hint.
#include <QString>
#include <QStringList>

#include <optional>

namespace sorvek {

class PageButtonFace
{
public:
    enum class Picture {
        None,        // no glyph (a refreshed button loses the one it had)
        GlyphFile,   // the file glyphPath; when it is no readable picture, use fallbackImage
        ImageList,   // picture imageIndex of the button image list
    };

    // Button i being built from its title-list entry ("&lt;" and "&gt;" are unescaped here, other
    // character references in the caption and hint too);
    // the hint is always set. topFolder ends with "/".
    static PageButtonFace forNewButton(const QString &storedTitle, int i, const QString &topFolder);
    // The current page's button refreshed with refreshedButtonTitle(), unescaped like a stored title;
    // without "?" the hint stays as it was (hint() empty), and Picture::None removes the glyph.
    static PageButtonFace forRefresh(const QString &title, int i, const QString &topFolder);

    QString caption() const { return captionLines_.join(QLatin1String("\r\n")); }
    const QStringList &captionLines() const { return captionLines_; }
    const std::optional<QString> &hint() const { return hint_; }
    const QString &glyphName() const { return glyphName_; }
    Picture picture() const { return picture_; }
    const QString &glyphPath() const { return glyphPath_; }
    // Image-list picture: 0 for a one-character glyph name (the mark '"!"'), 1 for a longer one.
    int imageIndex() const { return glyphName_.size() < 2 ? 0 : 1; }

private:
    PageButtonFace(const QString &title, int i, const QString &topFolder, bool refresh);
    bool readGlyph(QString &text);
    void readHint(QString &text, int i, bool refresh);
    void readPicture(const QString &topFolder);

    QStringList captionLines_;
    std::optional<QString> hint_;
    QString glyphName_;
    QString glyphPath_;
    Picture picture_ = Picture::None;
};

// The title a refreshed button shows: the button-refresh rule on the page file (entities as
// written), the file-name rule when the file has no usable title, the stored title (unescaped)
// when the file is missing, unreadable or a web page.
QString refreshedButtonTitle(const QString &pageRef, const QString &topFolder, const QString &storedTitle);

// Character references of a title ("&amp;", "&quot;", "&#39;", "&#x3042;" ...) as the characters
// they stand for; an "&" that starts no known reference stays as it is.
QString decodeTitleEntities(const QString &text);

class LevelStack;
// The face of button i of the top level refreshed from its page file; nullopt for i < 0, an
// index outside the level or an empty title list (the button is left alone).
std::optional<PageButtonFace> refreshedPageButtonFace(const LevelStack &levels, int i);

} // namespace sorvek
