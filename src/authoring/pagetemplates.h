#pragma once
// The page templates: an image page, a LOGO page embedding a MicroWorlds EX project, a file-link
// page, and the dated skeleton of the new-page menu. Texts are built with CR between lines; the
// save functions store them through the safe page writer.
#include "commands/textfile.h"

#include <QString>

namespace sorvek {

// The values of an image or LOGO page (TForm1.HTMLSave, TForm1.HTMLSave2).
struct PictureTemplate {
    QString title;
    QString heading;
    QString source;  // file name of the picture or project, relative to the page
    QString width;   // "" writes no width attribute (image page only)
    QString height;  // "" writes no height attribute (image page only)
};

// The values of a file-link page (TForm1.HTMLSave3).
struct LinkTemplate {
    QString title;
    QString heading;
    QString target;
};

// The web page where the LOGO environment's browser plug-in is offered: the web base address
// (SORVEK_WEB_BASE) with the path "/plugin".
QString logoPluginPage();

// Page texts. Text values are written with "<" and ">" as entities and attribute values also
// without a bare double quote, so a file name never breaks the page's markup.
QString imagePageText(const PictureTemplate &page);
QString logoPageText(const PictureTemplate &page, const QString &pluginPage = logoPluginPage());
QString fileLinkPageText(const LinkTemplate &page);
// The new-page skeleton: head with a CR before the title, notebook style, no note section.
QString newPageSkeleton(const QString &title);

// The same written to a file (replacing it) as UTF-8 with byte-order mark and CR LF.
WriteResult saveImagePage(const QString &file, const PictureTemplate &page);
WriteResult saveLogoPage(const QString &file, const PictureTemplate &page);
WriteResult saveFileLinkPage(const QString &file, const LinkTemplate &page);

} // namespace sorvek
