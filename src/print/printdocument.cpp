#include "print/printdocument.h"

namespace sorvek {

QString printDocumentHead(const QString &title, const QString &charset)
{
    return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"> \r<HTML>\r<HEAD>\r"
                          "<META http-equiv=\"Content-Type\" content=\"text/html; charset=")
        + charset
        + QStringLiteral("\">\r<META http-equiv=\"Content-Style-Type\" content=\"text/css\">\r<TITLE>") + title
        + QStringLiteral("</TITLE>\r</HEAD>\r<BODY>\r");
}

QString printDocumentTail()
{
    return QStringLiteral("</BODY>\r</HTML>");
}

} // namespace sorvek
