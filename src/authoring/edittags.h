#pragma once
// The editor window's text rules on HTML start tags: setting and removing one attribute, the src of
// an IMG tag, the alignment a tag carries, the IMG tags the picture commands write, and the name
// proposed for a new picture of a page.
#include <QString>
#include <QStringView>

namespace sorvek {

// TForm2.SetTagAttribute. attr is 'name="value"': the attribute is replaced when the tag has it,
// else added before the tag's first ">" after one blank; the value '""' removes it. An empty attr
// removes the align attribute and every attribute after it. A text without ">" gives "".
// An attr without "=" names nothing and leaves the tag as it is.
QString setTagAttribute(const QString &tag, const QString &attr);

// TForm2.GetTagSrc: the value of the first "src=" (any case) in its own case; "" without one or
// without its closing quote.
QString getTagSrc(QStringView tag);

// TForm2.DefaultImageName: the name for a new picture of the page whose path is pagePath (the
// editor's caption): the file name without extension and without its order prefix up to the first
// "_" (the whole name when nothing would be left), plus ".bmp". "1010_frog.html" gives "frog.bmp".
QString defaultImageName(const QString &pagePath);

// Which alignments a tag mentions, tested on its lower-case text. A tag may mention several.
struct TagAlignments {
    bool left = false;
    bool center = false;
    bool right = false;
    bool any() const { return left || center || right; }
};
// For the heading and table tags: "left", "center", "right" anywhere in the tag.
TagAlignments alignmentsInTag(QStringView tag);
// For the image/link content: '"left"', '"center"', '"right"' with their double quotes.
TagAlignments quotedAlignmentsInTag(QStringView content);

// The three image layouts of the editor (the values of Panel6's tag).
enum class ImageLayout { Centre = 1, Left = 2, Right = 3 };

// The tag changes of an image layout: ETAGSRC1 gets align="center" (centre) or loses its align
// attribute (sides); Edit7 gets the layout's align, width and height, in that order.
struct ImageParagraphTags {
    QString ETAGSRC1;
    QString Edit7;
};
ImageParagraphTags applyImageLayoutTags(ImageLayout layout, const ImageParagraphTags &tags);

// TForm2.RestoreImageTags without a backup: the IMG tag of a new picture of the given name.
QString defaultImageTag(const QString &imageName);
// The IMG tag TForm2.LoadImage writes when the content is empty (with vspace and hspace), and the
// one the open-picture command writes (without them). panelTag is Panel6's tag: below 2 centre,
// 2 left, above 2 right.
QString loadedImageTag(const QString &imageName, const QString &width, const QString &height, int panelTag);
QString chosenImageTag(const QString &imageName, const QString &width, const QString &height, int panelTag);

// The picture check of the save buttons on the IMG tag: with a known size the width and height are
// set from GX and GY; without one both are removed.
QString imageTagForSaving(const QString &edit7, bool sizeKnown, const QString &gx, const QString &gy);

// The link target the link button stores for a chosen file: relative to the folder (a path ending
// with "/") when the file lies in it or below it (exact case), else the full path.
QString linkTargetForFile(const QString &path, const QString &folder);

} // namespace sorvek
