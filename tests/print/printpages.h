#pragma once
// Page texts for the print tests, shaped as the page writer stores them.
#include <QString>

namespace printpages {

inline const QString kDoctype = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");

// A page with the given stored title and body markup (between "<BODY>" and "</BODY>").
inline QString page(const QString &title, const QString &body)
{
    return kDoctype + QStringLiteral("\n<HTML>\n<HEAD>\n<TITLE>") + title
        + QStringLiteral("</TITLE><!--STYLE_IN-->\n<STYLE type=\"text/css\">\nP{color : black;}\n</STYLE>\n"
                         "<!--STYLE_OUT--></HEAD>\n<BODY>")
        + body + QStringLiteral("</BODY>\n</HTML>\n");
}

} // namespace printpages
