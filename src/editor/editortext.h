#pragma once
// Text rules of the editor window: start-tag attributes, the picture's IMG tag and its name,
// the tags each layout mode writes, alignment tags, selection wrapping and the names the
// window proposes (memo file, save-as). Window-free, so the form only reads widgets and calls these.
#include <QList>
#include <QString>

namespace sorvek::editortext {

// Sets, replaces or removes one attribute of a start tag. attr is name=value with the value in
// double quotes; the value "" removes the attribute; an empty attr cuts the tag at its first
// "align=" (any case), dropping that attribute and every one after it. No ">" gives "".
QString setTagAttribute(const QString &tag, const QString &attr);

// The value of the first src attribute (name in any case), in its own case; "" without one.
QString tagSrc(const QString &tag);

// The name for a new picture of the page at pagePath: its file name without extension and without
// the order prefix up to the first "_" (unless nothing would be left), with ".bmp".
QString defaultImageName(const QString &pagePath);

// Which alignment words a start tag or attribute holds (lower-cased); more than one may hold.
struct TagAlignment {
    bool left = false;
    bool center = false;
    bool right = false;
    bool any() const { return left || center || right; }
};
TagAlignment tagAlignment(const QString &tag);

// Where the picture stands; also the picture panel's mode number (Panel6's tag).
enum class PicturePlace { None = 0, Centre = 1, Left = 2, Right = 3 };
PicturePlace picturePlaceForMode(int panelMode);

// The IMG tag of a loaded or chosen picture; with spacing it carries vspace="4" hspace="4".
QString pictureTag(const QString &name, const QString &width, const QString &height, PicturePlace place,
                   bool spacing);
// The IMG tag put back when no picture was backed up: 740 x 600, centred.
QString defaultPictureTag(const QString &name);

// The start tag of the image/link paragraph and its content (ETAGSRC1 and Edit7).
struct ImageTags {
    QString paragraphTag;
    QString content;
};
enum class LayoutMode { TextOnly, Table, ImageCentre, ImageLeft, ImageRight };
// The tags after switching to a layout: text only empties both; the table keeps them; the image
// modes set the paragraph's alignment and the IMG tag's align, width and height.
ImageTags tagsForLayout(LayoutMode mode, const ImageTags &tags);
// The image layouts that the state load runs, in this order: left, centre, right for each
// quoted align value the IMG tag holds. An IMG tag with none in a centred paragraph (pages
// written elsewhere centre only the paragraph) is shown in the centre layout. Empty: the layout
// stays as it was.
QList<LayoutMode> imageLayoutsForTags(const ImageTags &tags);

// The IMG tag as saved: the size from the fields when the picture's size is known, else without
// width and height.
QString pictureTagForSave(const QString &content, bool sizeKnown, const QString &width, const QString &height);

// The picture's name as the page refers to it: relative to the folder when it lies inside it.
QString pictureNameInFolder(const QString &path, const QString &folder);

// A link target for a chosen file: relative to the folder when the file lies inside it, else
// the full path.
QString linkTargetForFile(const QString &path, const QString &folder);

// Start tags and attributes written by the alignment buttons ("left", "center", "right").
QString headingStartTag(int level, const QString &align);
QString paragraphStartTag(const QString &align);
QString alignAttribute(const QString &align);
// A table placed right keeps its text left.
QString textAlignForTable(const QString &tableAlign);

// Selection wrapping of the attribute buttons and the link button.
enum class Wrapping { Red, Strong, Underline };
QString wrapSelection(Wrapping wrapping, const QString &selected);
QString linkAroundSelection(const QString &selected, const QString &href);

// The editor's memo file: "Edit.txt" in the folder of the page being edited (the current folder
// when the caption names no folder).
QString memoFilePath(const QString &caption, const QString &folder);

// A save-as name without extension gets ".html", as the dialog's default extension.
QString withDefaultPageSuffix(const QString &path);

// A size field as a whole number; empty or anything else than digits counts 0.
int sizeFieldValue(const QString &text);

// Memo text as the page editor keeps it (CR LF line breaks) and as a text field holds it ("\n").
QString memoTextForField(const QString &pageText);
QString memoTextForPage(const QString &fieldText);

} // namespace sorvek::editortext
